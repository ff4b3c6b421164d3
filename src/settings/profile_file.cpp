#include "settings/profile_file.h"

#include "util/blanks.h"
#include "util/safe_file.h"
#include "util/sjis.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {

// A line of the file, classified once.
struct IniLine {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;  // section or key name, without surrounding blanks
    QString value; // key value, without surrounding blanks
};

IniLine classify(const QString& line) {
    const QString text = trimBlanks(line);
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0)
            return {IniLine::Section, trimBlanks(QStringView(text).sliced(1, close - 1)), {}};
        return {};
    }
    if (text.startsWith(QLatin1Char(';')))
        return {};
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {};
    return {IniLine::Key, trimBlanks(QStringView(text).first(equals)),
            trimBlanks(QStringView(text).sliced(equals + 1))};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> fromUtf8Strict(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<quint8>(c) >= 0x80)
            return false;
    return true;
}

// Shift-JIS text that also decodes as UTF-8 is all but unknown (its double-byte characters
// break UTF-8's rules), while UTF-8 Japanese often happens to be valid code page 932; so
// valid UTF-8 is taken as UTF-8 first.
QString decodeFile(const QString& path, QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    if (!isAscii(bytes))
        if (auto text = fromUtf8Strict(bytes))
            return *text;
    if (auto text = fromSjis(bytes))
        return *text;
    throw ProfileError(QStringLiteral("%1 は Shift-JIS でも UTF-8 でもありません").arg(path));
}

QStringList splitLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end of the last line
    return lines;
}

} // namespace

ProfileError::ProfileError(const QString& message) : std::runtime_error(message.toStdString()) {}

QStringList ProfileFile::readLines() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return {};
    QFile file(path_);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw ProfileError(QStringLiteral("%1 を読めません：%2").arg(path_, file.errorString()));
    return splitLines(decodeFile(path_, file.readAll()));
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    bool inSection = false;
    for (const QString& line : readLines()) {
        const IniLine parsed = classify(line);
        if (parsed.kind == IniLine::Section) {
            if (inSection)
                break;
            inSection = sameName(parsed.name, section);
        } else if (inSection && parsed.kind == IniLine::Key && sameName(parsed.name, key)) {
            QString value = parsed.value;
            if (value.size() > kMaxValueLength) {
                qsizetype cut = kMaxValueLength;
                if (value[cut - 1].isHighSurrogate())
                    --cut; // never split a character
                value.truncate(cut);
            }
            return value;
        }
    }
    return defaultValue;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        throw ProfileError(QStringLiteral("%1 の値に改行は書けません").arg(key));

    QStringList lines = readLines();
    const QString keyLine = key + QLatin1Char('=') + value;

    qsizetype sectionAt = -1;     // the section's header line
    qsizetype lastInSection = -1; // its last line that is not empty
    bool replaced = false;
    for (qsizetype i = 0; i < lines.size() && !replaced; ++i) {
        const IniLine parsed = classify(lines[i]);
        if (parsed.kind == IniLine::Section) {
            if (sectionAt >= 0)
                break;
            if (sameName(parsed.name, section))
                sectionAt = lastInSection = i;
        } else if (sectionAt >= 0) {
            if (parsed.kind == IniLine::Key && sameName(parsed.name, key)) {
                lines[i] = parsed.name + QLatin1Char('=') + value; // the key keeps its spelling
                replaced = true;
            } else if (!isBlankOnly(lines[i])) {
                lastInSection = i;
            }
        }
    }
    if (!replaced) {
        if (sectionAt >= 0) {
            lines.insert(lastInSection + 1, keyLine);
        } else {
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(keyLine);
        }
    }

    QString text = lines.join(QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    try {
        writeFileSafely(path_, toSjis(text), {.rewriteInPlaceIfFolderIsReadOnly = true});
    } catch (const SjisEncodeError& error) {
        throw ProfileError(QString::fromStdString(error.what()));
    } catch (const FileWriteError& error) {
        throw ProfileError(error.message());
    }
}

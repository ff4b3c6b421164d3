#include "settings/profile_text.h"

#include "util/blanks.h"
#include "util/sjis.h"

#include <QStringDecoder>

#include <optional>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<QString> fromUtf8Strict(const QByteArray& bytes) {
    // A byte-order mark inside the file is text like any other character.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool usesUtf8(ProfileEncoding encoding) {
    return encoding != ProfileEncoding::ShiftJis;
}

std::optional<QString> decodeLine(const QByteArray& bytes, ProfileEncoding encoding) {
    return usesUtf8(encoding) ? fromUtf8Strict(bytes) : fromSjis(bytes);
}

// The first character of the text that is half of a surrogate pair on its own.
std::optional<QString> loneSurrogate(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return text.sliced(i, 1).toString();
    }
    return std::nullopt;
}

// The code point of one character (one unit, or two for a surrogate pair).
char32_t codePoint(QStringView character) {
    return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                 : character[0].unicode();
}

QString codePointText(const QString& character) {
    return QStringLiteral("U+%1").arg(QString::number(codePoint(character), 16).toUpper(), 4,
                                      QLatin1Char('0'));
}

QByteArray encodeLine(const QString& line, ProfileEncoding encoding, const QString& key) {
    const auto refuse = [&](const QString& character, const QString& encodingName) {
        return UnstorableValueError(
            QStringLiteral("%1 の値の「%2」(%3) は %4 で書けません")
                .arg(key, character, codePointText(character), encodingName),
            character);
    };
    if (usesUtf8(encoding)) {
        if (const auto character = loneSurrogate(line))
            throw refuse(*character, QStringLiteral("UTF-8"));
        return line.toUtf8();
    }
    try {
        return toSjis(line);
    } catch (const SjisEncodeError& error) {
        throw refuse(error.where().character, QStringLiteral("Shift-JIS"));
    }
}

// ---- Which encoding a file is in -----------------------------------------------------------

bool isJisLevel1Kanji(QStringView character) {
    if (findSjisUnencodable(character))
        return false;
    const QByteArray code = toSjis(character);
    if (code.size() != 2)
        return false;
    const int pair = static_cast<quint8>(code[0]) << 8 | static_cast<quint8>(code[1]);
    return pair >= 0x889F && pair <= 0x9872;
}

// How much one character of a reading speaks for that reading. This file holds Japanese
// text: ASCII, kana, ideographs, full-width forms and the symbols of code page 932, of which
// the kana and the common ideographs count most. A reading in the wrong encoding shows
// rare ideographs mixed with half-width katakana (UTF-8 read as Shift-JIS) or letters and
// symbols code page 932 does not have (Shift-JIS read as UTF-8).
int characterScore(QStringView character) {
    const char32_t c = codePoint(character);
    if (c < 0x80)
        return 0; // reads the same in both
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0xFF01 && c <= 0xFF60))
        return 2; // CJK punctuation, hiragana, katakana, full-width forms
    if (c >= 0xFF61 && c <= 0xFF9F)
        return 1; // half-width katakana
    if ((c >= 0xE000 && c <= 0xF8FF) || findSjisUnencodable(character))
        return -4; // private use (code page 932's user-defined area), or not Japanese text
    return isJisLevel1Kanji(character) ? 2 : 0;
}

constexpr int kUndecodableLineScore = -8;

// The bytes a character takes in the encoding (not ASCII: that scores nothing).
int encodedLength(char32_t c, ProfileEncoding encoding) {
    if (usesUtf8(encoding))
        return c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    return c >= 0xFF61 && c <= 0xFF9F ? 1 : 2;
}

// Each byte counts with the character it is part of, so that both readings weigh the same
// bytes: UTF-8 Japanese read as Shift-JIS makes more characters of the same bytes.
qint64 lineScore(const QByteArray& bytes, ProfileEncoding encoding) {
    const std::optional<QString> text = decodeLine(bytes, encoding);
    if (!text)
        return kUndecodableLineScore;
    qint64 score = 0;
    for (qsizetype i = 0; i < text->size(); ++i) {
        if (text->at(i).unicode() < 0x80)
            continue;
        const qsizetype extent = text->at(i).isHighSurrogate() && i + 1 < text->size() ? 2 : 1;
        const QStringView character = QStringView(*text).sliced(i, extent);
        score += characterScore(character) * encodedLength(codePoint(character), encoding);
        i += extent - 1;
    }
    return score;
}

bool isAscii(const QByteArray& line) {
    for (char c : line)
        if (static_cast<quint8>(c) >= 0x80)
            return false;
    return true;
}

// ---- Lines ---------------------------------------------------------------------------------

ProfileLine classify(QByteArray bytes, const std::optional<QString>& decoded) {
    ProfileLine line;
    line.bytes = std::move(bytes);
    if (!decoded) {
        line.kind = ProfileLine::Undecodable;
        return line;
    }
    const QString text = trimBlanks(*decoded);
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = ProfileLine::Section;
            line.name = trimBlanks(QStringView(text).sliced(1, close - 1));
        }
        return line;
    }
    if (text.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return line;
    line.kind = ProfileLine::Key;
    line.name = trimBlanks(QStringView(text).first(equals));
    line.value = trimBlanks(QStringView(text).sliced(equals + 1));
    return line;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Blanks are single bytes up to 0x20 in both encodings, and no such byte is part of a
// character of two or more bytes.
bool isBlankLine(const QByteArray& bytes) {
    for (char c : bytes)
        if (static_cast<quint8>(c) > 0x20)
            return false;
    return true;
}

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// Section and key names come from the program, never from the user; one that would read
// back as another name is a mistake to stop at.
ProfileError unwritableName(ProfileLine::Kind kind, const QString& name) {
    return ProfileError(QStringLiteral("%1「%2」は設定ファイルに書けません")
                            .arg(kind == ProfileLine::Section ? QStringLiteral("セクション名")
                                                              : QStringLiteral("キー名"),
                                 name));
}

void checkNames(const QString& section, const QString& key) {
    if (hasLineBreak(section) || section.contains(QLatin1Char(']')) ||
        trimBlanks(section) != section)
        throw unwritableName(ProfileLine::Section, section);
    if (hasLineBreak(key) || key.contains(QLatin1Char('=')) || trimBlanks(key) != key ||
        key.startsWith(QLatin1Char('[')) || key.startsWith(QLatin1Char(';')))
        throw unwritableName(ProfileLine::Key, key);
}

} // namespace

ProfileError::ProfileError(const QString& message) : std::runtime_error(message.toStdString()) {}

UnstorableValueError::UnstorableValueError(const QString& message, QString character)
    : ProfileError(message), character_(std::move(character)) {}

void ProfileText::Reading::count(const QByteArray& line, int sign) {
    utf8 += sign * lineScore(line, ProfileEncoding::Utf8);
    shiftJis += sign * lineScore(line, ProfileEncoding::ShiftJis);
    nonAsciiLines += isAscii(line) ? 0 : sign;
}

ProfileEncoding ProfileText::Reading::guess() const {
    return nonAsciiLines > 0 && utf8 > shiftJis ? ProfileEncoding::Utf8 : ProfileEncoding::ShiftJis;
}

ProfileText ProfileText::parse(const QByteArray& bytes) {
    ProfileText profile;
    QList<QByteArray> lines;
    if (bytes.startsWith(kUtf8Bom)) {
        profile.encoding_ = ProfileEncoding::Utf8WithBom;
        lines = splitLines(bytes.sliced(kUtf8Bom.size()));
    } else {
        lines = splitLines(bytes);
        for (const QByteArray& line : lines)
            profile.reading_.count(line, 1);
        profile.encoding_ = profile.reading_.guess();
    }
    profile.lines_.reserve(lines.size());
    for (QByteArray& line : lines) {
        const std::optional<QString> text = decodeLine(line, profile.encoding_);
        profile.lines_.append(classify(std::move(line), text));
    }
    return profile;
}

QString ProfileText::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    bool inSection = false;
    for (const ProfileLine& line : lines_) {
        if (line.kind == ProfileLine::Section) {
            if (inSection)
                break;
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == ProfileLine::Key && sameName(line.name, key)) {
            QString value = line.value;
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

void ProfileText::writeString(const QString& section, const QString& key, const QString& value) {
    checkNames(section, key);
    if (hasLineBreak(value))
        throw UnstorableValueError(QStringLiteral("%1 の値に改行は書けません").arg(key), {});

    qsizetype sectionAt = -1;     // the section's header line
    qsizetype lastInSection = -1; // its last line that is not blank
    qsizetype keyAt = -1;
    for (qsizetype i = 0; i < lines_.size() && keyAt < 0; ++i) {
        const ProfileLine& line = lines_[i];
        if (line.kind == ProfileLine::Section) {
            if (sectionAt >= 0)
                break;
            if (sameName(line.name, section))
                sectionAt = lastInSection = i;
        } else if (sectionAt >= 0) {
            if (line.kind == ProfileLine::Key && sameName(line.name, key))
                keyAt = i;
            else if (!isBlankLine(line.bytes))
                lastInSection = i;
        }
    }

    const ProfileEncoding encoding =
        encoding_ == ProfileEncoding::Utf8 ? ProfileEncoding::Utf8WithBom : encoding_;
    // The line as the file will hold it, which for Shift-JIS may differ from what was asked
    // (the look-alike characters that sjis.h writes in their code-page form). Its name must
    // still be the one asked for: a name in another form would never be found again.
    const auto lineOf = [&](const QString& text, ProfileLine::Kind kind, const QString& name) {
        QByteArray bytes = encodeLine(text, encoding, key);
        const std::optional<QString> stored = decodeLine(bytes, encoding);
        if (!stored)
            throw UnstorableValueError(QStringLiteral("%1 の値は読み戻せません").arg(key), {});
        ProfileLine line = classify(std::move(bytes), stored);
        if (line.kind != kind || !sameName(line.name, name))
            throw unwritableName(kind, name);
        return line;
    };
    // The new lines and what they do to the reading, before anything changes.
    Reading reading = reading_;
    ProfileLine keyLine;
    std::optional<ProfileLine> sectionLine;
    if (keyAt >= 0) {
        const QString& name = lines_[keyAt].name;
        keyLine = lineOf(name + QLatin1Char('=') + value, ProfileLine::Key, name);
        reading.count(lines_[keyAt].bytes, -1);
    } else {
        keyLine = lineOf(key + QLatin1Char('=') + value, ProfileLine::Key, key);
        if (sectionAt < 0) {
            sectionLine = lineOf(QLatin1Char('[') + section + QLatin1Char(']'),
                                 ProfileLine::Section, section);
            reading.count(sectionLine->bytes, 1);
        }
    }
    reading.count(keyLine.bytes, 1);

    // Shift-JIS has no mark of its own: text that reads better as UTF-8 would turn every
    // other line of the file into something else at the next reading.
    if (encoding == ProfileEncoding::ShiftJis && reading.guess() != ProfileEncoding::ShiftJis)
        throw UnstorableValueError(
            QStringLiteral("%1 の値は Shift-JIS の設定ファイルを UTF-8 と読ませてしまいます")
                .arg(key),
            {});

    if (keyAt >= 0) {
        lines_[keyAt] = std::move(keyLine);
    } else if (sectionLine) {
        lines_.append(std::move(*sectionLine));
        lines_.append(std::move(keyLine));
    } else {
        lines_.insert(lastInSection + 1, std::move(keyLine));
    }
    encoding_ = encoding;
    reading_ = reading;
}

QByteArray ProfileText::toBytes() const {
    QByteArray bytes;
    if (encoding_ == ProfileEncoding::Utf8WithBom)
        bytes = kUtf8Bom;
    for (const ProfileLine& line : lines_) {
        bytes += line.bytes;
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray withProfileValue(const QByteArray& bytes, const QString& section, const QString& key,
                            const QString& value) {
    ProfileText profile = ProfileText::parse(bytes);
    profile.writeString(section, key, value);
    return profile.toBytes();
}

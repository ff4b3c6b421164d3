#include "cli/output_check.h"

#include "cli/line_diff.h"
#include "util/sjis.h"

#include <QStringDecoder>

namespace {

// One line of a file: the text as shown, the key it is compared by and its line end.
struct Line {
    QString text;
    QString key;
    QByteArray end; // "\r\n", "\n", or nothing for a last line without one
};

std::optional<QString> decoded(const QByteArray& bytes, bool utf8) {
    if (!utf8)
        return fromSjis(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QList<Line> splitLines(const QByteArray& bytes, bool utf8, const QString& dateLabel) {
    QList<Line> lines;
    for (qsizetype begin = 0; begin < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', begin);
        Line line;
        QByteArray content;
        if (end < 0) {
            content = bytes.mid(begin);
            end = bytes.size();
        } else {
            const bool crlf = end > begin && bytes[end - 1] == '\r';
            content = bytes.mid(begin, end - begin - (crlf ? 1 : 0));
            line.end = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
            ++end;
        }
        begin = end;
        // Bytes compare as bytes: Latin-1 maps each to one character of the key.
        line.key = QString::fromLatin1(content);
        if (const std::optional<QString> text = decoded(content, utf8)) {
            line.text = *text;
            if (!dateLabel.isEmpty() && text->startsWith(dateLabel))
                line.key = QStringLiteral("\1date\1") + dateLabel;
        } else {
            line.text = QString::fromUtf8(content); // shown as well as it goes
        }
        lines.append(line);
    }
    return lines;
}

} // namespace

OutputCheck checkOutput(const QByteArray& generated, const QByteArray& saved, bool utf8,
                        const QString& dateLabel, const QString& savedName,
                        const QString& generatedName) {
    const QList<Line> was = splitLines(saved, utf8, dateLabel);
    const QList<Line> now = splitLines(generated, utf8, dateLabel);
    QStringList wasKeys, wasTexts, nowKeys, nowTexts;
    for (const Line& line : was)
        wasKeys.append(line.key), wasTexts.append(line.text);
    for (const Line& line : now)
        nowKeys.append(line.key), nowTexts.append(line.text);

    OutputCheck check;
    if (wasKeys != nowKeys) {
        check.diff =
            unifiedDiff(wasTexts, nowTexts, diffLines(wasKeys, nowKeys), savedName, generatedName);
        return check;
    }
    for (qsizetype i = 0; i < was.size(); ++i)
        if (was[i].end != now[i].end) {
            check.lineEndDiffers = i + 1;
            return check;
        }
    check.same = true;
    return check;
}

#include "cli/output_check.h"

#include "cli/line_diff.h"
#include "util/sjis.h"

#include <QStringDecoder>

namespace {

// The lines of a file as views into its bytes: what each line holds and the bytes that end
// it ("\r\n", "\n", or none for a last line without one). Nothing is copied, so a package of
// many megabytes is compared in little more memory than its two texts.
struct Lines {
    QList<QByteArrayView> contents;
    QList<QByteArrayView> ends;
};

Lines splitLines(const QByteArray& bytes) {
    Lines lines;
    const QByteArrayView all(bytes);
    for (qsizetype begin = 0; begin < all.size();) {
        qsizetype newline = all.indexOf('\n', begin);
        if (newline < 0) {
            lines.contents.append(all.sliced(begin));
            lines.ends.append(QByteArrayView());
            break;
        }
        const bool crlf = newline > begin && all[newline - 1] == '\r';
        const qsizetype contentEnd = crlf ? newline - 1 : newline;
        lines.contents.append(all.sliced(begin, contentEnd - begin));
        lines.ends.append(all.sliced(contentEnd, newline + 1 - contentEnd));
        begin = newline + 1;
    }
    return lines;
}

std::optional<QString> decoded(QByteArrayView bytes, bool utf8) {
    if (!utf8)
        return fromSjis(bytes.toByteArray());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// A line as the diff shows it: decoded, or as well as it goes when it is not valid text.
QString shown(QByteArrayView bytes, bool utf8) {
    return decoded(bytes, utf8).value_or(QString::fromUtf8(bytes));
}

// The keys lines are compared by: their bytes, except that a line starting with the date
// label is equal to every other such line.
QList<QByteArrayView> keys(const Lines& lines, QByteArrayView dateLabel) {
    static const QByteArray dateKey("\1date\1");
    QList<QByteArrayView> result = lines.contents;
    if (dateLabel.isEmpty())
        return result;
    for (QByteArrayView& key : result)
        if (key.startsWith(dateLabel))
            key = dateKey;
    return result;
}

} // namespace

OutputCheck checkOutput(const QByteArray& generated, const QByteArray& saved, bool utf8,
                        const QString& dateLabel, const QString& savedName,
                        const QString& generatedName) {
    // The label in the files' own encoding, so lines are compared as bytes.
    const QByteArray label = utf8 ? dateLabel.toUtf8() : toSjis(dateLabel);
    const Lines was = splitLines(saved);
    const Lines now = splitLines(generated);
    const QList<QByteArrayView> wasKeys = keys(was, label);
    const QList<QByteArrayView> nowKeys = keys(now, label);

    OutputCheck check;
    if (wasKeys != nowKeys) {
        check.diff = unifiedDiff(
            diffLines(wasKeys, nowKeys), [&](qsizetype i) { return shown(was.contents[i], utf8); },
            [&](qsizetype j) { return shown(now.contents[j], utf8); }, savedName, generatedName);
        return check;
    }
    for (qsizetype i = 0; i < was.ends.size(); ++i)
        if (was.ends[i] != now.ends[i]) {
            check.lineEndDiffers = i + 1;
            return check;
        }
    check.same = true;
    return check;
}

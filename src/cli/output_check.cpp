#include "cli/output_check.h"

#include "cli/line_diff.h"
#include "util/sjis.h"

#include <QStringDecoder>

namespace {

// The lines of a text as views into its bytes: what each line holds and the bytes that end
// it ("\r\n", "\n", or none for a last line without one). Nothing is copied.
struct Lines {
    QList<QByteArrayView> contents;
    QList<QByteArrayView> ends;
};

// The line that starts at begin and ends with the newline at newline, or at the end of the
// bytes when newline is negative.
void lineTo(QByteArrayView all, qsizetype begin, qsizetype newline, QByteArrayView& content,
            QByteArrayView& end) {
    if (newline < 0) {
        content = all.sliced(begin);
        end = QByteArrayView();
        return;
    }
    const bool crlf = newline > begin && all[newline - 1] == '\r';
    const qsizetype contentEnd = crlf ? newline - 1 : newline;
    content = all.sliced(begin, contentEnd - begin);
    end = all.sliced(contentEnd, newline + 1 - contentEnd);
}

// The position after the line that starts at begin.
qsizetype lineAt(QByteArrayView all, qsizetype begin, QByteArrayView& content,
                 QByteArrayView& end) {
    const qsizetype newline = all.indexOf('\n', begin);
    lineTo(all, begin, newline, content, end);
    return newline < 0 ? all.size() : newline + 1;
}

Lines splitLines(QByteArrayView all) {
    Lines lines;
    for (qsizetype begin = 0; begin < all.size();) {
        QByteArrayView content;
        QByteArrayView end;
        begin = lineAt(all, begin, content, end);
        lines.contents.append(content);
        lines.ends.append(end);
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

} // namespace

OutputComparer::OutputComparer(const QByteArray& saved, bool utf8, const QString& dateLabel)
    : saved_(saved), utf8_(utf8), label_(utf8 ? dateLabel.toUtf8() : toSjis(dateLabel)) {}

// The key lines are compared by: their bytes, except that a line starting with the date
// label is equal to every other such line.
QByteArrayView OutputComparer::key(QByteArrayView content) const {
    static const QByteArray dateKey("\1date\1");
    return !label_.isEmpty() && content.startsWith(label_) ? QByteArrayView(dateKey) : content;
}

bool OutputComparer::passSavedLine(const Line& now) {
    if (savedPosition_ >= saved_.size())
        return false; // the saved file has no more lines
    Line was;
    const qsizetype next = lineAt(saved_, savedPosition_, was.content, was.end);
    if (key(was.content) != key(now.content))
        return false;
    if (was.end != now.end && lineEndDiffers_ == 0)
        lineEndDiffers_ = agreeing_ + 1;
    ++agreeing_;
    savedPosition_ = next;
    return true;
}

void OutputComparer::append(QByteArrayView bytes) {
    if (!rest_.isEmpty() || differs_) {
        rest_.append(bytes);
        if (differs_)
            return;
        bytes = rest_;
    }
    qsizetype begin = 0;
    for (qsizetype newline; (newline = bytes.indexOf('\n', begin)) >= 0; begin = newline + 1) {
        Line now;
        lineTo(bytes, begin, newline, now.content, now.end);
        if (!passSavedLine(now)) {
            differs_ = true;
            break;
        }
    }
    rest_ = bytes.sliced(begin).toByteArray(); // a copy first: bytes may view rest_
}

OutputCheck OutputComparer::finish(const QString& savedName, const QString& generatedName) {
    if (!differs_ && !rest_.isEmpty()) { // a last line without a line end
        if (passSavedLine({rest_, {}}))
            rest_.clear();
        else
            differs_ = true;
    }
    if (savedPosition_ < saved_.size())
        differs_ = true; // the saved file has lines the generated text has not

    OutputCheck check;
    if (!differs_) {
        check.same = lineEndDiffers_ == 0;
        check.lineEndDiffers = lineEndDiffers_;
        return check;
    }
    // The edit from the first line that differs; the lines before it are unchanged.
    const Lines was = splitLines(saved_);
    const Lines now = splitLines(rest_);
    QList<QByteArrayView> wasKeys;
    wasKeys.reserve(was.contents.size() - agreeing_);
    for (qsizetype i = agreeing_; i < was.contents.size(); ++i)
        wasKeys.append(key(was.contents[i]));
    QList<QByteArrayView> nowKeys;
    nowKeys.reserve(now.contents.size());
    for (const QByteArrayView content : now.contents)
        nowKeys.append(key(content));
    const LineEdit rest = diffLines(wasKeys, nowKeys);
    LineEdit edit{QList<bool>(agreeing_, false) + rest.removed,
                  QList<bool>(agreeing_, false) + rest.added};
    check.diff = unifiedDiff(
        edit, [&](qsizetype i) { return shown(was.contents[i], utf8_); },
        [&](qsizetype j) { return shown(now.contents[j - agreeing_], utf8_); }, savedName,
        generatedName);
    return check;
}

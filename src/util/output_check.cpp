#include "util/output_check.h"

#include "util/sjis.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// A saved line longer than this is not held whole: it equals no generated line (no
// generator writes one anywhere near as long) and the diff shows its start.
constexpr qsizetype kLongestLine = 16 * 1024 * 1024;
constexpr qsizetype kReadBlock = 1024 * 1024;
constexpr int kContext = 3;
// What the search takes for each line beyond its bytes: its number, its mark in the edit,
// its share of the numbering's table and of the search's rows.
constexpr qint64 kLineCost = 64;

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

qsizetype indexOfNewline(QByteArrayView bytes, qsizetype from) {
    if (from >= bytes.size())
        return -1; // and an empty view may have no data at all
    const void* found = std::memchr(bytes.data() + from, '\n', size_t(bytes.size() - from));
    return found ? static_cast<const char*>(found) - bytes.data() : -1;
}

qsizetype countLines(QByteArrayView text) {
    return text.count('\n') + (text.isEmpty() || text.back() == '\n' ? 0 : 1);
}

// The number of lines of a text from `from`, a line's start, to `to`, a line's start or the
// text's end, read in blocks.
qsizetype countLines(const SavedText& text, qint64 from, qint64 to) {
    QByteArray block(std::min<qint64>(kReadBlock, std::max<qint64>(to - from, 1)),
                     Qt::Uninitialized);
    qsizetype lines = 0;
    char last = '\n';
    for (qint64 at = from; at < to;) {
        const qint64 got = text.readAt(at, block.data(), std::min<qint64>(block.size(), to - at));
        if (got <= 0)
            break;
        const QByteArrayView read(block.constData(), got);
        lines += read.count('\n');
        last = read.back();
        at += got;
    }
    return last == '\n' ? lines : lines + 1;
}

// A line of the diff in UTF-8: as it is when it is ASCII or valid UTF-8 in a UTF-8 text,
// decoded from Shift-JIS, or as well as it goes when it is not valid text.
void appendShown(QByteArray& out, QByteArrayView line, bool utf8, bool cut) {
    const bool ascii = std::all_of(line.begin(), line.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii || (utf8 && line.isValidUtf8())) {
        out.append(line);
    } else if (std::optional<QString> text = utf8 ? std::nullopt : fromSjis(line.toByteArray())) {
        out.append(text->toUtf8());
    } else {
        out.append(QString::fromUtf8(line).toUtf8());
    }
    if (cut)
        out.append("…");
}

// The lines of a text read backwards in blocks, from its end to `from`, a line's start.
class BackwardLines {
public:
    BackwardLines(const SavedText& text, qint64 from)
        : text_(text), from_(from), position_(text.size), bufferStart_(text.size) {}

    // The content of the line before position(), without its line end; nothing at `from`
    // and for a line longer than kLongestLine.
    std::optional<QByteArrayView> previous() {
        if (position_ <= from_)
            return std::nullopt;
        buffer_.truncate(position_ - bufferStart_); // what was given before is not needed
        for (;;) {
            if (position_ - bufferStart_ > kLongestLine + 2 ||
                (bufferStart_ == position_ && !prependBlock()))
                return std::nullopt;
            const QByteArrayView held(buffer_);
            const bool ended = held.back() == '\n'; // only the text's last line may not be
            qsizetype contentEnd = ended ? held.size() - 1 : held.size();
            const qsizetype newline = held.first(contentEnd).lastIndexOf('\n');
            if (newline >= 0 || bufferStart_ == from_) {
                const qsizetype begin = newline + 1;
                if (ended && contentEnd > begin && held[contentEnd - 1] == '\r')
                    --contentEnd;
                position_ = bufferStart_ + begin;
                return held.sliced(begin, contentEnd - begin);
            }
            if (!prependBlock())
                return std::nullopt;
        }
    }

    qint64 position() const { return position_; }

private:
    // The block before the buffer put in front of it; false when the text ends before it
    // (it shrank since it was opened).
    bool prependBlock() {
        const qint64 size = std::min<qint64>(kReadBlock, bufferStart_ - from_);
        QByteArray block(size, Qt::Uninitialized);
        if (size == 0 || text_.readAt(bufferStart_ - size, block.data(), size) != size)
            return false;
        buffer_.prepend(block);
        bufferStart_ -= size;
        return true;
    }

    const SavedText& text_;
    qint64 from_;
    qint64 position_;
    QByteArray buffer_; // the text from bufferStart_ on
    qint64 bufferStart_;
};

} // namespace

// The lines of a text read forwards in blocks, from a line's start to the text's end.
class OutputComparer::Reader {
public:
    Reader(const SavedText& text, qint64 from) : text_(text), position_(from), bufferStart_(from) {}

    // The next line, its content cut to kLongestLine bytes (then `cut` is set); the views
    // are valid until the next call. False at the end.
    bool next(Line& line, bool& cut) {
        if (position_ - bufferStart_ > buffer_.size()) { // past a line that was cut
            buffer_.clear();
            bufferStart_ = position_;
        }
        qsizetype at = position_ - bufferStart_;
        qsizetype searched = at;
        for (;;) {
            const qsizetype newline = indexOfNewline(buffer_, searched);
            if (newline >= 0) {
                lineTo(buffer_, at, newline, line.content, line.end);
                position_ = bufferStart_ + newline + 1;
                cut = false;
                return true;
            }
            if (buffer_.size() - at > kLongestLine) {
                line = {QByteArrayView(buffer_).sliced(at, kLongestLine), {}};
                cut = true;
                position_ = lineEndAfter(bufferStart_ + buffer_.size());
                return true;
            }
            buffer_.remove(0, at);
            bufferStart_ += at;
            searched = buffer_.size();
            at = 0;
            if (!fill()) {
                if (buffer_.isEmpty())
                    return false;
                lineTo(buffer_, 0, -1, line.content, line.end); // the last, without line end
                position_ = bufferStart_ + buffer_.size();
                cut = false;
                return true;
            }
        }
    }

    qint64 position() const { return position_; }

private:
    // Another block at the end of the buffer; false at the text's end.
    bool fill() {
        const qsizetype held = buffer_.size();
        const qint64 size = std::clamp<qint64>(text_.size - bufferStart_ - held, 1, kReadBlock);
        buffer_.resize(held + size);
        const qint64 got = text_.readAt(bufferStart_ + held, buffer_.data() + held, size);
        buffer_.resize(held + got);
        return got > 0;
    }

    // Where the line that goes on at `from` ends, past its newline.
    qint64 lineEndAfter(qint64 from) const {
        QByteArray block(std::clamp<qint64>(text_.size - from, 1, kReadBlock), Qt::Uninitialized);
        for (;;) {
            const qint64 got = text_.readAt(from, block.data(), block.size());
            if (got <= 0)
                return from;
            const qsizetype newline = indexOfNewline(QByteArrayView(block.constData(), got), 0);
            if (newline >= 0)
                return from + newline + 1;
            from += got;
        }
    }

    const SavedText& text_;
    qint64 position_;
    QByteArray buffer_; // the text from bufferStart_ on
    qint64 bufferStart_;
};

SavedText savedBytes(QByteArrayView bytes) {
    return {bytes.size(), [bytes](qint64 offset, char* to, qint64 size) -> qint64 {
                size = std::clamp<qint64>(bytes.size() - offset, 0, size);
                if (size > 0)
                    std::memcpy(to, bytes.data() + offset, size_t(size));
                return size;
            }};
}

OutputComparer::OutputComparer(SavedText saved, bool utf8, const QString& dateLabel,
                               qint64 memoryBudget)
    : saved_(std::move(saved)), utf8_(utf8), label_(utf8 ? dateLabel.toUtf8() : toSjis(dateLabel)),
      memoryBudget_(memoryBudget), reader_(std::make_unique<Reader>(saved_, 0)) {}

OutputComparer::~OutputComparer() = default;

// The key lines are compared by: their bytes, except that a line starting with the date
// label is equal to every other such line.
QByteArrayView OutputComparer::key(QByteArrayView content) const {
    static const QByteArray dateKey("\1date\1");
    return !label_.isEmpty() && content.startsWith(label_) ? QByteArrayView(dateKey) : content;
}

bool OutputComparer::passSavedLine(const Line& now) {
    Line was;
    bool cut = false;
    if (!reader_->next(was, cut))
        return false; // the saved file has no more lines
    if (cut || key(was.content) != key(now.content))
        return false;
    if (was.end != now.end && lineEndDiffers_ == 0)
        lineEndDiffers_ = agreeing_ + 1;
    recentStarts_[agreeing_ % recentStarts_.size()] = savedPosition_;
    ++agreeing_;
    savedPosition_ = reader_->position();
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

QList<LineChange> OutputComparer::changesBetween(qint64 savedEnd, qint64 restEnd,
                                                 qsizetype& savedLines) {
    const QByteArrayView rest = QByteArrayView(rest_).first(restEnd);
    const qsizetype restLines = countLines(rest);
    const auto fits = [&](qsizetype lines) {
        return (lines + restLines) * kLineCost <= memoryBudget_;
    };
    LineNumbers numbers;
    std::vector<int> savedNumbers;
    Reader saved(saved_, savedPosition_);
    Line line;
    bool cut = false;
    while (saved.position() < savedEnd && fits(qsizetype(savedNumbers.size()) + 1) &&
           saved.next(line, cut))
        savedNumbers.push_back(cut ? numbers.unique() : numbers.number(key(line.content)));
    if (saved.position() < savedEnd || !fits(qsizetype(savedNumbers.size()))) {
        // Past the budget: no search.
        savedLines =
            qsizetype(savedNumbers.size()) + countLines(saved_, saved.position(), savedEnd);
        return {{agreeing_, savedLines, agreeing_, restLines}};
    }
    savedLines = qsizetype(savedNumbers.size());
    std::vector<int> restNumbers;
    restNumbers.reserve(restLines);
    for (qsizetype begin = 0; begin < rest.size();) {
        const qsizetype newline = indexOfNewline(rest, begin);
        lineTo(rest, begin, newline, line.content, line.end);
        restNumbers.push_back(numbers.number(key(line.content)));
        begin = newline < 0 ? rest.size() : newline + 1;
    }
    QList<LineChange> changes = diffLines(std::move(savedNumbers), std::move(restNumbers));
    if (!unchangedLinesAgree(changes, savedLines, rest))
        return {{agreeing_, savedLines, agreeing_, restLines}};
    for (LineChange& change : changes) {
        change.oldStart += agreeing_;
        change.newStart += agreeing_;
    }
    return changes;
}

// Numbers equal by a collision of hashes would show different lines as unchanged: the
// lines the edit leaves are compared themselves, reading the saved ones once more.
bool OutputComparer::unchangedLinesAgree(const QList<LineChange>& changes, qsizetype savedLines,
                                         QByteArrayView rest) const {
    Reader saved(saved_, savedPosition_);
    qsizetype restAt = 0;
    const auto nextRest = [&] {
        Line now;
        const qsizetype newline = indexOfNewline(rest, restAt);
        lineTo(rest, restAt, newline, now.content, now.end);
        restAt = newline < 0 ? rest.size() : newline + 1;
        return now.content;
    };
    qsizetype i = 0; // the saved lines passed
    QList<LineChange> upToTheEnd = changes;
    upToTheEnd.append({savedLines, 0, 0, 0});
    for (const LineChange& change : upToTheEnd) {
        Line was;
        bool cut = false;
        for (; i < change.oldStart; ++i)
            if (!saved.next(was, cut) || cut || key(was.content) != key(nextRest()))
                return false;
        for (qsizetype k = 0; k < change.oldCount; ++k)
            saved.next(was, cut);
        for (qsizetype k = 0; k < change.newCount; ++k)
            nextRest();
        i += change.oldCount;
    }
    return true;
}

OutputCheck OutputComparer::finish(const QString& savedName, const QString& generatedName,
                                   const std::function<void(QByteArrayView)>& diff) {
    if (!differs_ && !rest_.isEmpty()) { // a last line without a line end
        if (passSavedLine({rest_, {}}))
            rest_.clear();
        else
            differs_ = true;
    }
    if (savedPosition_ < saved_.size)
        differs_ = true; // the saved file has lines the generated text has not
    reader_.reset();

    OutputCheck check;
    if (!differs_) {
        check.same = lineEndDiffers_ == 0;
        check.lineEndDiffers = lineEndDiffers_;
        return check;
    }
    // The lines that agree at the end are passed over as those at the start were, so only
    // what lies between them is searched.
    const SavedText generated = savedBytes(rest_);
    BackwardLines savedTail(saved_, savedPosition_);
    BackwardLines generatedTail(generated, 0);
    qint64 savedEnd = saved_.size;
    qint64 restEnd = rest_.size();
    qsizetype tail = 0;
    for (;;) {
        const std::optional<QByteArrayView> was = savedTail.previous();
        const std::optional<QByteArrayView> now = was ? generatedTail.previous() : std::nullopt;
        if (!now || key(*was) != key(*now))
            break;
        savedEnd = savedTail.position();
        restEnd = generatedTail.position();
        ++tail;
    }
    qsizetype savedLines = 0;
    const QList<LineChange> changes = changesBetween(savedEnd, restEnd, savedLines);

    // The lines shown: the saved file's from the first line of context before the first
    // change, the generated text's from its first line that differs.
    const qsizetype firstShown = std::max<qsizetype>(0, agreeing_ - kContext);
    Reader savedShown(saved_,
                      agreeing_ == 0 ? 0 : recentStarts_[firstShown % recentStarts_.size()]);
    Reader generatedShown(generated, 0);
    const auto shower = [this](Reader& reader, qsizetype first) {
        return [this, &reader, next = first](qsizetype index, QByteArray& out) mutable {
            Line line;
            bool cut = false;
            for (; next <= index; ++next)
                if (!reader.next(line, cut))
                    return; // the file was cut short meanwhile
            appendShown(out, line.content, utf8_, cut);
        };
    };
    writeUnifiedDiff(changes, agreeing_ + savedLines + tail, shower(savedShown, firstShown),
                     shower(generatedShown, agreeing_), savedName, generatedName, diff, kContext);
    check.diffWritten = !changes.isEmpty();
    return check;
}

QString unreadableSavedFileText() {
    return QStringLiteral("比較するファイルを読めません");
}

QString differsFromSavedText(const QString& savedPath) {
    return QStringLiteral("%1 は生成した内容と異なります").arg(savedPath);
}

QString lineEndDiffersText(qsizetype line, bool utf8) {
    return QStringLiteral("%1 行目の行末が%2ではありません")
        .arg(line)
        .arg(utf8 ? QStringLiteral("LF") : QStringLiteral("CR LF"));
}

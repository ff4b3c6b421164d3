#include "util/line_diff.h"

#include <algorithm>

namespace {

// Steps of the search, past which a range is reported as replaced whole: the diff stays
// correct, only no longer the shortest, and two unrelated files of many thousand lines
// cannot keep a build waiting.
constexpr qint64 kSearchBudget = 50'000'000;

class MyersDiff {
public:
    MyersDiff(std::vector<int> a, std::vector<int> b)
        : a_(std::move(a)), b_(std::move(b)), removed_(a_.size(), false), added_(b_.size(), false) {
    }

    // The runs of removed and added lines: at each point the removals first, then the
    // additions.
    QList<LineChange> run() {
        compare(0, static_cast<int>(a_.size()), 0, static_cast<int>(b_.size()));
        QList<LineChange> changes;
        const size_t n = a_.size();
        const size_t m = b_.size();
        for (size_t i = 0, j = 0; i < n || j < m;) {
            if ((i < n && removed_[i]) || (j < m && added_[j])) {
                LineChange change{qsizetype(i), 0, qsizetype(j), 0};
                for (; i < n && removed_[i]; ++i)
                    ++change.oldCount;
                for (; j < m && added_[j]; ++j)
                    ++change.newCount;
                changes.append(change);
            } else {
                ++i, ++j;
            }
        }
        return changes;
    }

private:
    void replace(int aLo, int aHi, int bLo, int bHi) {
        for (int i = aLo; i < aHi; ++i)
            removed_[i] = true;
        for (int j = bLo; j < bHi; ++j)
            added_[j] = true;
    }

    void compare(int aLo, int aHi, int bLo, int bHi) {
        while (aLo < aHi && bLo < bHi && a_[aLo] == b_[bLo])
            ++aLo, ++bLo;
        while (aLo < aHi && bLo < bHi && a_[aHi - 1] == b_[bHi - 1])
            --aHi, --bHi;
        if (aLo == aHi || bLo == bHi || spent_ > kSearchBudget) {
            replace(aLo, aHi, bLo, bHi);
            return;
        }
        int x = 0;
        int y = 0;
        if (!middleSnake(aLo, aHi, bLo, bHi, x, y)) {
            replace(aLo, aHi, bLo, bHi);
            return;
        }
        compare(aLo, x, bLo, y);
        compare(x, aHi, y, bHi);
    }

    // A point (x, y) that a shortest edit of the ranges passes through, found by searching
    // from both ends at once until the two searches meet. False when the budget ran out.
    bool middleSnake(int aLo, int aHi, int bLo, int bHi, int& x, int& y) {
        const int n = aHi - aLo;
        const int m = bHi - bLo;
        const int maxD = (n + m + 1) / 2;
        const int offset = maxD + 1;
        std::vector<int> forward(2 * maxD + 3, -1);
        std::vector<int> backward(2 * maxD + 3, -1);
        forward[offset + 1] = 0;
        backward[offset + 1] = 0;
        const int delta = n - m;
        const bool odd = delta % 2 != 0;
        int fStart = 0, fEnd = 0, bStart = 0, bEnd = 0;
        for (int d = 0; d < maxD; ++d) {
            spent_ += n + m;
            if (spent_ > kSearchBudget)
                return false;
            for (int k = -d + fStart; k <= d - fEnd; k += 2) {
                const int at = offset + k;
                int x1 = (k == -d || (k != d && forward[at - 1] < forward[at + 1]))
                             ? forward[at + 1]
                             : forward[at - 1] + 1;
                int y1 = x1 - k;
                while (x1 < n && y1 < m && a_[aLo + x1] == b_[bLo + y1])
                    ++x1, ++y1;
                forward[at] = x1;
                if (x1 > n) {
                    fEnd += 2;
                } else if (y1 > m) {
                    fStart += 2;
                } else if (odd) {
                    const int other = offset + delta - k;
                    if (other >= 0 && other < int(backward.size()) && backward[other] != -1 &&
                        x1 >= n - backward[other]) {
                        x = aLo + x1;
                        y = bLo + y1;
                        return true;
                    }
                }
            }
            for (int k = -d + bStart; k <= d - bEnd; k += 2) {
                const int at = offset + k;
                int x2 = (k == -d || (k != d && backward[at - 1] < backward[at + 1]))
                             ? backward[at + 1]
                             : backward[at - 1] + 1;
                int y2 = x2 - k;
                while (x2 < n && y2 < m && a_[aHi - 1 - x2] == b_[bHi - 1 - y2])
                    ++x2, ++y2;
                backward[at] = x2;
                if (x2 > n) {
                    bEnd += 2;
                } else if (y2 > m) {
                    bStart += 2;
                } else if (!odd) {
                    const int other = offset + delta - k;
                    if (other >= 0 && other < int(forward.size()) && forward[other] != -1) {
                        const int x1 = forward[other];
                        const int y1 = x1 - (other - offset);
                        if (x1 >= n - x2) {
                            x = aLo + x1;
                            y = bLo + y1;
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    std::vector<int> a_;
    std::vector<int> b_;
    std::vector<bool> removed_;
    std::vector<bool> added_;
    qint64 spent_ = 0;
};

// "start,count" of a hunk's range, as unified diffs write it.
QString range(qsizetype start, qsizetype count) {
    if (count == 1)
        return QString::number(start + 1);
    return QStringLiteral("%1,%2").arg(count == 0 ? start : start + 1).arg(count);
}

// Whole lines gathered into blocks, so that a diff of millions of lines is neither held
// whole nor written a line at a time.
class DiffBlocks {
public:
    explicit DiffBlocks(const std::function<void(QByteArrayView)>& write) : write_(write) {
        block_.reserve(kBlockSize + kBlockSize / 8);
    }
    void line(char prefix, const ShowLine& show, qsizetype index) {
        block_.append(prefix);
        show(index, block_);
        endLine();
    }
    void line(const QString& text) {
        block_.append(text.toUtf8());
        endLine();
    }
    void flush() {
        if (!block_.isEmpty())
            write_(block_);
        block_.clear();
    }

private:
    static constexpr qsizetype kBlockSize = 256 * 1024;

    void endLine() {
        block_.append('\n');
        if (block_.size() >= kBlockSize)
            flush();
    }

    const std::function<void(QByteArrayView)>& write_;
    QByteArray block_;
};

} // namespace

int LineNumbers::number(QByteArrayView key) {
    const size_t hash = qHash(key);
    auto found = numbers_.constFind(hash);
    if (found == numbers_.cend())
        found = numbers_.insert(hash, unique());
    return *found;
}

QList<LineChange> diffLines(std::vector<int> oldLines, std::vector<int> newLines) {
    return MyersDiff(std::move(oldLines), std::move(newLines)).run();
}

void writeUnifiedDiff(const QList<LineChange>& changes, qsizetype oldCount, const ShowLine& oldLine,
                      const ShowLine& newLine, const QString& oldName, const QString& newName,
                      const std::function<void(QByteArrayView)>& write, int context) {
    DiffBlocks out(write);
    for (qsizetype c = 0; c < changes.size();) {
        // A hunk: from `context` lines before this change to `context` lines after the last
        // change that follows the one before it within twice that many unchanged lines
        // (their contexts touch).
        qsizetype last = c;
        while (last + 1 < changes.size() &&
               changes[last + 1].oldStart - (changes[last].oldStart + changes[last].oldCount) <=
                   2 * context)
            ++last;
        const LineChange& first = changes[c];
        const qsizetype before = std::min<qsizetype>(context, first.oldStart);
        const qsizetype oldEnd = changes[last].oldStart + changes[last].oldCount;
        const qsizetype after = std::clamp<qsizetype>(oldCount - oldEnd, 0, context);
        const qsizetype oldFrom = first.oldStart - before;
        const qsizetype newFrom = first.newStart - before;
        const qsizetype newEnd = changes[last].newStart + changes[last].newCount;
        if (c == 0) {
            out.line(QStringLiteral("--- ") + oldName);
            out.line(QStringLiteral("+++ ") + newName);
        }
        out.line(QStringLiteral("@@ -%1 +%2 @@")
                     .arg(range(oldFrom, oldEnd + after - oldFrom),
                          range(newFrom, newEnd + after - newFrom)));
        qsizetype unchanged = oldFrom; // the next unchanged line of the first text to show
        for (qsizetype d = c; d <= last; ++d) {
            const LineChange& change = changes[d];
            for (; unchanged < change.oldStart; ++unchanged)
                out.line(' ', oldLine, unchanged);
            for (qsizetype i = 0; i < change.oldCount; ++i)
                out.line('-', oldLine, change.oldStart + i);
            for (qsizetype j = 0; j < change.newCount; ++j)
                out.line('+', newLine, change.newStart + j);
            unchanged = change.oldStart + change.oldCount;
        }
        for (; unchanged < oldEnd + after; ++unchanged)
            out.line(' ', oldLine, unchanged);
        c = last + 1;
    }
    out.flush();
}

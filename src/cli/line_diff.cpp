#include "cli/line_diff.h"

#include <QHash>

#include <algorithm>
#include <vector>

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

    LineEdit run() {
        compare(0, static_cast<int>(a_.size()), 0, static_cast<int>(b_.size()));
        return {removed_, added_};
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
    QList<bool> removed_;
    QList<bool> added_;
    qint64 spent_ = 0;
};

// The keys as numbers, equal numbers for equal keys, so the search compares integers.
std::vector<int> numbered(const QList<QByteArrayView>& keys, QHash<QByteArrayView, int>& numbers) {
    std::vector<int> result;
    result.reserve(keys.size());
    for (const QByteArrayView key : keys) {
        auto found = numbers.constFind(key);
        if (found == numbers.cend())
            found = numbers.insert(key, int(numbers.size()));
        result.push_back(*found);
    }
    return result;
}

// "start,count" of a hunk's range, as unified diffs write it.
QString range(qsizetype start, qsizetype count) {
    if (count == 1)
        return QString::number(start + 1);
    return QStringLiteral("%1,%2").arg(count == 0 ? start : start + 1).arg(count);
}

struct Step {
    char kind; // ' ', '-' or '+'
    qsizetype oldLine;
    qsizetype newLine;
};

} // namespace

LineEdit diffLines(const QList<QByteArrayView>& oldKeys, const QList<QByteArrayView>& newKeys) {
    QHash<QByteArrayView, int> numbers;
    std::vector<int> a = numbered(oldKeys, numbers);
    std::vector<int> b = numbered(newKeys, numbers);
    return MyersDiff(std::move(a), std::move(b)).run();
}

QStringList unifiedDiff(const LineEdit& edit, const std::function<QString(qsizetype)>& oldLine,
                        const std::function<QString(qsizetype)>& newLine, const QString& oldName,
                        const QString& newName, int context) {
    // The edit as steps, a change's removals before its additions.
    const qsizetype oldCount = edit.removed.size();
    const qsizetype newCount = edit.added.size();
    QList<Step> steps;
    for (qsizetype i = 0, j = 0; i < oldCount || j < newCount;) {
        if (i < oldCount && edit.removed[i])
            steps.append({'-', i++, j});
        else if (j < newCount && edit.added[j])
            steps.append({'+', i, j++});
        else
            steps.append({' ', i++, j++});
    }

    QStringList diff;
    qsizetype s = 0;
    while (s < steps.size()) {
        if (steps[s].kind == ' ') {
            ++s;
            continue;
        }
        // A hunk: from `context` lines before this change to `context` lines after the last
        // change that follows the one before it within twice that many unchanged lines (their
        // contexts touch).
        const qsizetype first = std::max<qsizetype>(0, s - context);
        qsizetype last = s;
        for (qsizetype t = s; t < steps.size() && t <= last + 2 * context + 1; ++t)
            if (steps[t].kind != ' ')
                last = t;
        const qsizetype end = std::min<qsizetype>(steps.size(), last + context + 1);

        qsizetype oldLines = 0;
        qsizetype newLines = 0;
        QStringList body;
        for (qsizetype t = first; t < end; ++t) {
            const Step& step = steps[t];
            if (step.kind != '+')
                ++oldLines;
            if (step.kind != '-')
                ++newLines;
            body.append(QLatin1Char(step.kind) +
                        (step.kind == '+' ? newLine(step.newLine) : oldLine(step.oldLine)));
        }
        if (diff.isEmpty())
            diff << QStringLiteral("--- ") + oldName << QStringLiteral("+++ ") + newName;
        diff.append(
            QStringLiteral("@@ -%1 +%2 @@")
                .arg(range(steps[first].oldLine, oldLines), range(steps[first].newLine, newLines)));
        diff.append(body);
        s = end;
    }
    return diff;
}

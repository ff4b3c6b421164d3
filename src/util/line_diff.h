#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Lines as numbers, equal numbers for equal keys, so the search compares integers. Only a
// hash of each key is kept, so the lines need not be held: two different keys get the same
// number when their hashes collide, which a caller that must be exact checks afterwards.
class LineNumbers {
public:
    int number(QByteArrayView key);
    // A number no other line has: for a line that is to equal nothing.
    int unique() { return next_++; }

private:
    QHash<size_t, int> numbers_;
    int next_ = 0;
};

// Lines [oldStart, oldStart + oldCount) of the first text give way to lines [newStart,
// newStart + newCount) of the second.
struct LineChange {
    qsizetype oldStart = 0;
    qsizetype oldCount = 0;
    qsizetype newStart = 0;
    qsizetype newCount = 0;
};

// The changes that turn the first text's lines into the second's, ascending: the shortest
// such edit (Myers' algorithm, in linear space) while the search keeps within its budget of
// steps; a range still open then is reported replaced whole, so the edit stays correct,
// only no longer the shortest. Lines are equal when their numbers are.
QList<LineChange> diffLines(std::vector<int> oldLines, std::vector<int> newLines);

// Appends a text's line `index` as the diff shows it, in UTF-8 without its line end. Each
// text's lines are asked for once each, in ascending order.
using ShowLine = std::function<void(qsizetype index, QByteArray& out)>;

// The changes as a unified diff: "--- oldName", "+++ newName", then hunks
// "@@ -start,count +start,count @@" with `context` unchanged lines around each change (a
// count of 1 is left out, an empty range starts at the line before it), unchanged lines
// prefixed " ", removed "-", added "+". oldCount is the number of lines of the first text.
// The text goes to `write` in blocks of whole lines, each ending in LF; nothing when there
// are no changes.
void writeUnifiedDiff(const QList<LineChange>& changes, qsizetype oldCount, const ShowLine& oldLine,
                      const ShowLine& newLine, const QString& oldName, const QString& newName,
                      const std::function<void(QByteArrayView)>& write, int context = 3);

#pragma once

#include "util/line_diff.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <memory>

// A generated text compared with the file it was once saved as: tamsel-gen --check and the
// main window's comparison of the preview with a saved file share it, and its messages.

// The saved file as the comparer reads it: its size and its bytes from any offset, in parts,
// so a file of any size is compared in bounded memory.
struct SavedText {
    qint64 size = 0;
    // Up to `size` bytes from offset into `to`; fewer only where the text ends.
    std::function<qint64(qint64 offset, char* to, qint64 size)> readAt;
};

// Bytes held in memory as a saved text. They must outlive it.
SavedText savedBytes(QByteArrayView bytes);

struct OutputCheck {
    bool same = false;
    // A unified diff from the saved file to the generated text was written.
    bool diffWritten = false;
    // When the texts agree but the bytes do not: the first line of the saved file whose
    // line end (or missing line end) is not the generated one. 0 otherwise.
    qsizetype lineEndDiffers = 0;
};

// What the diff may take beyond the generated text it already holds: the part of the saved
// file between the lines that agree at the start and at the end, and the search's own
// records of each line. Past it, that part is reported replaced whole.
inline constexpr qint64 kCheckMemoryBudget = 256 * 1024 * 1024;

// Compares the generated output with the saved file line by line as it is generated, both
// in the same format (Shift-JIS with CR LF, or UTF-8 with LF when utf8). A line that starts
// with dateLabel in both is equal whatever date follows; an empty label ignores nothing.
// Lines that agree are passed over and not kept, and the saved file is read in blocks, so a
// package that has not changed is checked in little memory whatever its size; from the
// first line that differs on, the rest of the generated output is kept for the diff. A
// saved line longer than 16 MiB equals no generated line and is shown cut.
class OutputComparer {
public:
    // Errors of the saved text's readAt pass through.
    OutputComparer(SavedText saved, bool utf8, const QString& dateLabel,
                   qint64 memoryBudget = kCheckMemoryBudget);
    ~OutputComparer();
    OutputComparer(const OutputComparer&) = delete;
    OutputComparer& operator=(const OutputComparer&) = delete;

    // The next bytes of the generated output, cut anywhere.
    void append(QByteArrayView bytes);

    // The result once the output is complete. When the texts differ, the unified diff from
    // the saved file to the generated text, lines shown decoded, goes to `diff` in UTF-8
    // blocks of whole lines; the names head it.
    OutputCheck finish(const QString& savedName, const QString& generatedName,
                       const std::function<void(QByteArrayView)>& diff);

private:
    struct Line {
        QByteArrayView content;
        QByteArrayView end; // "\r\n", "\n", or none for a last line without one
    };
    class Reader;

    // Whether the generated line agrees with the next saved line, which it then passes.
    bool passSavedLine(const Line& now);
    QByteArrayView key(QByteArrayView content) const;
    // The changes between the saved lines from savedPosition_ to savedEnd and the generated
    // ones of rest_ before restEnd, numbered in the whole texts, and the count of those saved
    // lines: searched for when they fit the budget, else the one change of all of them.
    QList<LineChange> changesBetween(qint64 savedEnd, qint64 restEnd, qsizetype& savedLines);
    bool unchangedLinesAgree(const QList<LineChange>& changes, qsizetype savedLines,
                             QByteArrayView rest) const;

    SavedText saved_;
    bool utf8_;
    QByteArray label_; // the date label in the files' own encoding
    qint64 memoryBudget_;
    std::unique_ptr<Reader> reader_; // the saved lines as they are passed
    qint64 savedPosition_ = 0;       // where the next saved line starts
    qsizetype agreeing_ = 0;         // lines that agree from the start
    // Where the last lines that agree start, line i at i % 4: the diff's context before the
    // first change comes from there.
    std::array<qint64, 4> recentStarts_{};
    qsizetype lineEndDiffers_ = 0;
    bool differs_ = false;
    QByteArray rest_; // a generated line not yet complete, or all from the first that differs
};

// "比較するファイルを読めません": the file to compare with is missing, no regular file or
// cannot be read; the reason follows.
QString unreadableSavedFileText();
// "PATH は生成した内容と異なります"
QString differsFromSavedText(const QString& savedPath);
// "N 行目の行末がCR LFではありません" ("LF" when utf8): the lines agree, their ends do not.
QString lineEndDiffersText(qsizetype line, bool utf8);

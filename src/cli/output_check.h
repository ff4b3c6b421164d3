#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// --check: a generated output compared with the file it was once saved as.
struct OutputCheck {
    bool same = false;
    // A unified diff from the saved file to the generated text, lines shown decoded.
    QStringList diff;
    // When the texts agree but the bytes do not: the first line of the saved file whose
    // line end (or missing line end) is not the generated one. 0 otherwise.
    qsizetype lineEndDiffers = 0;
};

// Compares the generated output with the saved bytes line by line as it is generated, both
// in the same format (Shift-JIS with CR LF, or UTF-8 with LF when utf8). A line that starts
// with dateLabel in both is equal whatever date follows; an empty label ignores nothing.
// Lines that agree are passed over and not kept, so a package that has not changed is
// checked in little more memory than its saved file; from the first line that differs on,
// the rest of the generated output is kept for the diff.
class OutputComparer {
public:
    // saved must outlive the comparer.
    OutputComparer(const QByteArray& saved, bool utf8, const QString& dateLabel);

    // The next bytes of the generated output, cut anywhere.
    void append(QByteArrayView bytes);

    // The result once the output is complete. Names head the diff.
    OutputCheck finish(const QString& savedName, const QString& generatedName);

private:
    struct Line {
        QByteArrayView content;
        QByteArrayView end; // "\r\n", "\n", or none for a last line without one
    };

    // Whether the generated line agrees with the next saved line, which it then passes.
    bool passSavedLine(const Line& now);
    QByteArrayView key(QByteArrayView content) const;

    const QByteArray& saved_;
    bool utf8_;
    QByteArray label_;            // the date label in the files' own encoding
    qsizetype savedPosition_ = 0; // where the next saved line starts
    qsizetype agreeing_ = 0;      // lines that agree from the start
    qsizetype lineEndDiffers_ = 0;
    bool differs_ = false;
    QByteArray rest_; // a generated line not yet complete, or all from the first that differs
};

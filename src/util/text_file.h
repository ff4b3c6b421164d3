#pragma once

#include "util/line_sink.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>

// The format of every text file the program saves: Shift-JIS (code page 932), each line,
// the last included, followed by CR LF. Throws SjisEncodeError, naming the character and
// its line, for a character the code page cannot hold (nothing is replaced by "?").
QByteArray encodeSjisLines(const QStringList& lines);

// Appends one line in that format to out, growing it as needed: for a writer that encodes
// the lines one by one. lineNumber (1-based) is the line the SjisEncodeError names; out is
// then as it was.
void appendSjisLine(QByteArray& out, QStringView line, qsizetype lineNumber);

// The same lines as UTF-8 with LF after each (tamsel-gen --utf8, for terminals and diffs).
QByteArray encodeUtf8Lines(const QStringList& lines);

enum class TextFormat {
    Sjis, // the saved-file format
    Utf8, // UTF-8 with LF
};

// Lines encoded as they come and handed to output in blocks of whole lines, so a text of
// many megabytes is never held whole, neither as lines nor as bytes. A line is encoded once
// the next one has come (its writer may still change it) or at finish(). append() and
// finish() throw SjisEncodeError, naming the character and its line, for a character code
// page 932 cannot hold; nothing from that line on reaches output.
class EncodedLines final : public LineSink {
public:
    EncodedLines(TextFormat format, std::function<void(QByteArrayView)> output);

    void append(QString line) override;
    QString& last() override { return held_; }
    bool isEmpty() const override { return lineNumber_ == 0; }

    // Encodes the last line and hands on what is left. Once, after the last line.
    void finish();

private:
    void encode(const QString& line);

    TextFormat format_;
    std::function<void(QByteArrayView)> output_;
    QByteArray block_;
    QString held_;
    bool holding_ = false;
    qsizetype lineNumber_ = 0; // of the held line
};

// Writes the lines that writeLines appends in the format through the safe writer, encoded
// as they come: all or nothing. Throws SjisEncodeError, FileWriteError or what writeLines
// throws.
void writeTextFile(const QString& path, TextFormat format,
                   const std::function<void(LineSink&)>& writeLines);
// The same for lines at hand.
void writeTextLines(const QString& path, const QStringList& lines, TextFormat format);

// Lines at hand in the saved-file format.
void writeSjisLines(const QString& path, const QStringList& lines);

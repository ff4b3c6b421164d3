#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// Writes the lines in the saved-file format through the safe writer: all or nothing.
// Throws SjisEncodeError or FileWriteError.
void writeSjisLines(const QString& path, const QStringList& lines);

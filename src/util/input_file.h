#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// A file given to the program to read (a profile, a settings file, a saved file to compare
// with) that it will not read, with the reason in words.
class InputFileError : public std::runtime_error {
public:
    explicit InputFileError(const QString& reason);
    QString reason() const { return QString::fromStdString(what()); }
};

// Reads the whole of a regular file of at most maxBytes bytes. Anything else is refused
// with InputFileError, before a byte is read: a folder, a FIFO, a device or a socket (which
// may never end or never answer) by what it is, a larger file by its size, and a file that
// cannot be opened or read by the system's reason.
QByteArray readInputFile(const QString& path, qint64 maxBytes);

// "フォルダです", "名前付きパイプです"... for a file's type (st_mode) other than a regular
// file; empty for a regular file.
QString fileKindText(unsigned mode);

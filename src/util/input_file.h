#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
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

// Reads an open descriptor (standard input: a pipe, a terminal, a redirected file) to its
// end, refusing more than maxBytes as readInputFile does, and the system's reason for a
// failed read. The descriptor stays open.
QByteArray readInputStream(int descriptor, qint64 maxBytes);

// A regular file opened for reading in parts, for input that need not be held whole: refused
// as readInputFile refuses, whatever its size.
class InputFile {
public:
    explicit InputFile(const QString& path); // InputFileError
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size it had when it was opened. Nothing past it is read, so a file that grows
    // meanwhile is read as it was.
    qint64 size() const { return size_; }

    // Up to size bytes from offset into to; fewer only where the file ends (it may have
    // shrunk since it was opened). InputFileError with the system's reason.
    qint64 readAt(qint64 offset, char* to, qint64 size) const;

private:
    int fd_ = -1;
    qint64 size_ = 0;
};

// The refusal of a file over maxBytes: "ファイルが大きすぎます（64 MiB まで）".
InputFileError inputTooLargeError(qint64 maxBytes);

// Reads to the end into bytes, which holds what is expected, never more than maxBytes (the
// file may grow while it is read). readSome reads at most count bytes into to and gives how
// many, 0 at the end; it throws InputFileError for a failed read.
QByteArray readToEnd(const std::function<qint64(char* to, qint64 count)>& readSome,
                     QByteArray bytes, qint64 maxBytes);

// "フォルダです", "名前付きパイプです"... for a file's type (st_mode) other than a regular
// file; empty for a regular file.
QString fileKindText(unsigned mode);

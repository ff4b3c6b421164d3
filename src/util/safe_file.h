#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

// A file that could not be written, with the reason in words.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(const QString& path, const QString& reason);
    const QString& path() const noexcept { return path_; }
    QString message() const { return QString::fromStdString(what()); }

private:
    QString path_;
};

// Writes the whole file or nothing: the data goes to a temporary file beside the target,
// which then replaces the target in one rename and keeps the old file's mode. A write that
// fails (no folder, a folder in the file's place, a full disk) throws FileWriteError and
// leaves an existing file exactly as it was.
void writeFileSafely(const QString& path, const QByteArray& data);

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

struct SafeWriteOptions {
    // Where no temporary file may be made beside the target (a folder the user cannot
    // write) but the file itself is writable, rewrite the file in place, as the Windows
    // profile functions the settings file stands in for would. Not atomic: a crash in the
    // middle may leave a torn file, so only the settings file asks for it.
    bool rewriteInPlaceIfFolderIsReadOnly = false;
};

// Writes the whole file or nothing. A regular file gets the data in a temporary file beside
// it ("NAME.tamsel-XXXXXX"), written, checked and synced, which then replaces it in one
// rename, keeping its mode and, where the process may set them, its owner and group. A
// symbolic link is followed and its target replaced. A file with further hard links is
// rewritten in place once the complete new content sits synced in the temporary file, so
// every name keeps seeing the same file. A FIFO, a character device or a descriptor of the
// process (/dev/stdout) gets the bytes directly; a folder, a block device or a socket is
// refused. A write that fails (no folder, a full disk, no permission) throws FileWriteError
// with the reason in words and leaves an existing file exactly as it was and no temporary
// file behind. After a successful replacement, temporary files of the same target left
// over an hour ago by a killed writer are removed.
void writeFileSafely(const QString& path, const QByteArray& data,
                     const SafeWriteOptions& options = {});

// The FileWriteError writeFileSafely would throw for a name in a folder that does not exist
// or for a folder, before a long piece of work whose result is to be written there.
void checkFileTarget(const QString& path);

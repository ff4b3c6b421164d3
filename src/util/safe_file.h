#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
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

// Writes the whole file or nothing, as the bytes come: the streaming form of
// writeFileSafely, for a text too large to be held whole. Nothing of the target changes
// before commit(), which then does what writeFileSafely does with all the bytes appended:
// a regular file gets them through a temporary file beside it (made when the first block
// is due), written as they come; a FIFO, a device or a descriptor of the process gets them
// all at commit, so a text abandoned half-way sends it nothing. A write that fails is not
// reported by append() but by commit(), after whatever the caller finds wrong with the text
// itself; later bytes are then dropped. A writer destroyed without commit() leaves the
// target as it was and no temporary file behind.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path, const SafeWriteOptions& options = {});
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // std::bad_alloc at most: bytes wait in memory until a block is due (for a stream or an
    // in-place rewrite, until commit).
    void append(QByteArrayView bytes);
    // Replaces the target with every byte appended. FileWriteError with the first failure.
    void commit();

private:
    class Private;
    std::unique_ptr<Private> d_;
};

// Writes the whole file or nothing. A regular file gets the data in a temporary file beside
// it ("NAME.tamsel-XXXXXX", a cut NAME with a hash where a long name leaves no room), made
// readable by its owner only, written, checked and synced, which then replaces it in one
// rename, keeping its mode and, where the process may set them, its owner and group; a new
// file gets the mode the umask gives. A symbolic link is followed and its target replaced.
// A file with further hard links is rewritten in place, under an advisory lock that makes
// writers take turns, once the complete new content sits synced in the temporary file, so
// every name keeps seeing the same file. A FIFO, a character device or a descriptor of the
// process (/dev/stdout) gets the bytes directly; a folder, a block device or a socket is
// refused, and so is a file the caller may not write (root may) and, in a sticky folder
// anyone may write (/tmp), a link or file of another user than the caller and the folder's
// owner. A write that fails (no folder, a full disk, no permission) throws FileWriteError
// with the reason in words and leaves an existing file exactly as it was and no temporary
// file behind. After a successful replacement, temporary files of the same target left
// over an hour ago by a killed writer are removed.
void writeFileSafely(const QString& path, QByteArrayView data,
                     const SafeWriteOptions& options = {});

// The FileWriteError writeFileSafely would throw for a name in a folder that does not exist,
// a folder, a file the caller may not write or another user's link or file in a shared
// folder, before a long piece of work whose result is to be written there.
void checkFileTarget(const QString& path);

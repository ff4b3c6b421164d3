#pragma once

#include <QString>

// A shared lock on the bytes of the file that SQLite's own locks use, held while a file is
// read without SQLite's locks. It cannot be had while another program holds the file
// exclusively (a writer in exclusive locking mode, which keeps its log index in its own
// memory and leaves none beside the file), and keeps one from doing so meanwhile. The lock
// belongs to its open file description, so SQLite closing a descriptor of the same file
// does not release it, as it would a process's lock.
class SharedFileLock {
public:
    explicit SharedFileLock(const QString& path); // DbError when another holds the file
    ~SharedFileLock();
    SharedFileLock(const SharedFileLock&) = delete;
    SharedFileLock& operator=(const SharedFileLock&) = delete;

private:
    long long handle_; // a descriptor, or a Windows handle
};

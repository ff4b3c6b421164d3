#include "db/sqlite_file_lock.h"

#include "db/db_error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

SharedFileLock::SharedFileLock(const QString& path)
    : handle_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)) {
    const int fd = static_cast<int>(handle_);
    constexpr off_t kPendingByte = 0x40000000; // SQLite's lock bytes start here
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kPendingByte + 2; // the bytes readers share
    lock.l_len = 510;
    // A file that cannot be opened here is left to SQLite to report; a file system
    // without such locks has no other program's lock to find either.
    if (fd >= 0 && fcntl(fd, F_OFD_SETLK, &lock) != 0 && (errno == EAGAIN || errno == EACCES)) {
        ::close(fd);
        throw DbError(QStringLiteral("他のプログラムがファイルを排他的に開いて書き込んでいます"));
    }
}

SharedFileLock::~SharedFileLock() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

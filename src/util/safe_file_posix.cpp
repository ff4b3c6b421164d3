#include "util/safe_file.h"

#include "util/safe_file_target.h"

#include "util/system_error.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <optional>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinkHops = 40; // the kernel's own limit for one path
// A writer at work changes its temporary file with every write; one unchanged for an hour
// was left by a writer that was killed.
constexpr time_t kStaleTemporarySeconds = 60 * 60;
constexpr char kTemporaryMark[] = ".tamsel-";
constexpr char kTemporaryLetters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kTemporaryRandomLength = 6;
// Hex digits of a hash of the whole name in the temporary of a name cut to fit.
constexpr int kTemporaryHashLength = 8;

[[noreturn]] void fail(const QString& path, int error) {
    throw FileWriteError(path, systemErrorText(error));
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.first(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.sliced(path.lastIndexOf('/') + 1);
}

bool isOnProcFileSystem(const QByteArray& folder) {
    struct statfs fileSystem {};
    return statfs(folder.constData(), &fileSystem) == 0 && fileSystem.f_type == PROC_SUPER_MAGIC;
}

// In a folder that anyone may write and where only owners may remove names (/tmp), another
// user can put a name before the caller uses it: a link to a file of the caller's, or a file
// the other user can still read and change afterwards. Such a name is refused, as Linux does
// for its own look-ups under fs.protected_symlinks and fs.protected_regular, whatever those
// are set to here: the writer follows links itself and would escape them. Names of the
// caller and of the folder's owner are trusted.
void refuseOtherUsersEntry(const QString& path, const QByteArray& name, const struct stat& st) {
    if (!S_ISLNK(st.st_mode) && !S_ISREG(st.st_mode))
        return;
    struct stat folder {};
    if (st.st_uid == geteuid() || stat(folderOf(name).constData(), &folder) != 0 ||
        (folder.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH) || st.st_uid == folder.st_uid)
        return;
    throw FileWriteError(path, QStringLiteral("%1 は他のユーザーの%2なので書き込みません")
                                   .arg(QFile::decodeName(name), S_ISLNK(st.st_mode)
                                                                     ? QStringLiteral("リンク")
                                                                     : QStringLiteral("ファイル")));
}

// An existing file is replaced only where the shell's ">" could write into it: a file its
// owner made read-only stays as it is; root writes it as it would.
void refuseReadOnlyFile(const QString& path, const QByteArray& name) {
    if (faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0 && errno == EACCES)
        throw FileWriteError(path, QStringLiteral("読み取り専用のため上書きしません"));
}

// What the caller's umask leaves of 0666: the mode the shell gives a new file. The process
// status tells the umask without changing it, which would race with other threads making
// files; only without /proc is it set and put back.
mode_t newFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            bool ok = false;
            const mode_t mask =
                line.startsWith("Umask:") ? line.sliced(6).trimmed().toUInt(&ok, 8) : 0;
            if (ok)
                return 0666 & ~mask;
        }
    }
    const mode_t mask = umask(022);
    umask(mask);
    return 0666 & ~mask;
}

// Where the bytes go: the end of a chain of symbolic links, which keep pointing there, or
// a link that stands for a descriptor of the process (/dev/stdout, /proc/self/fd/N): what
// it "points to" is no name to replace.
struct Target {
    QByteArray path;
    bool descriptor = false;
};

Target resolveLinks(const QString& path) {
    Target target{QFile::encodeName(path)};
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (lstat(target.path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target; // a missing target or another error shows when it is used
        refuseOtherUsersEntry(path, target.path, st);
        const QByteArray folder = folderOf(target.path);
        if (isOnProcFileSystem(folder)) {
            target.descriptor = true;
            return target;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t size = readlink(target.path.constData(), link.data(), link.size());
        if (size < 0 || size == link.size())
            fail(path, size < 0 ? errno : ENAMETOOLONG);
        link.truncate(size);
        target.path = link.startsWith('/') ? link : folder + '/' + link;
    }
    fail(path, ELOOP);
}

// Writes all of size bytes at offset, or at the descriptor's position when offset is
// negative; false with errno set when a write fails.
bool writeAll(int fd, const char* data, qint64 size, off_t offset = -1) {
    while (size > 0) {
        const ssize_t done = offset < 0 ? write(fd, data, size) : pwrite(fd, data, size, offset);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        size -= done;
        if (offset >= 0)
            offset += done;
    }
    return true;
}

// An open descriptor, closed on every way out. close() is checked where it counts: some
// file systems (NFS) report a failed write only there.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// The name of the target's temporary files up to their random letters: the target's name
// and a mark. Where that would not leave room for the letters in a name the folder can hold,
// the target's name is cut (not inside a UTF-8 character) and a hash of all of it keeps
// other names cut the same way apart.
QByteArray temporaryPrefix(const QByteArray& target) {
    const QByteArray name = nameOf(target);
    const long nameMax = pathconf(folderOf(target).constData(), _PC_NAME_MAX);
    const qsizetype room = (nameMax > 0 ? nameMax : NAME_MAX) -
                           qsizetype(sizeof kTemporaryMark - 1) - kTemporaryRandomLength;
    if (name.size() <= room)
        return name + kTemporaryMark;
    qsizetype keep = std::max<qsizetype>(0, room - 1 - kTemporaryHashLength);
    while (keep > 0 && (name[keep] & 0xC0) == 0x80)
        --keep;
    return name.first(keep) + '~' +
           QCryptographicHash::hash(name, QCryptographicHash::Sha1)
               .toHex()
               .first(kTemporaryHashLength) +
           kTemporaryMark;
}

// A new file beside the target, named by our own pattern, removed on every way out unless
// it has become the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const QByteArray& target) {
        const QByteArray prefix =
            target.first(target.size() - nameOf(target).size()) + temporaryPrefix(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray name = prefix;
            for (int i = 0; i < kTemporaryRandomLength; ++i)
                name += kTemporaryLetters[QRandomGenerator::global()->bounded(
                    int(sizeof kTemporaryLetters) - 1)];
            // Readable by no one else while the text is incomplete, and after a kill; the
            // mode of the file it replaces, or of a new file, is given at commit.
            const int fd = open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0) {
                name_ = name;
                fd_ = fd;
                return;
            }
            error_ = errno;
            if (error_ != EEXIST)
                return;
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.isEmpty())
            unlink(name_.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int error() const { return error_; } // why it could not be made
    int fd() const { return fd_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }
    // The file again, once closed, to read what was written.
    int openForReading() const { return open(name_.constData(), O_RDONLY | O_CLOEXEC); }
    bool renameTo(const QByteArray& target) {
        if (rename(name_.constData(), target.constData()) != 0)
            return false;
        name_.clear();
        return true;
    }

private:
    QByteArray name_;
    int fd_ = -1;
    int error_ = 0;
};

bool isTemporaryOf(const QByteArray& entry, const QByteArray& prefix) {
    return entry.size() == prefix.size() + kTemporaryRandomLength && entry.startsWith(prefix) &&
           std::all_of(entry.cbegin() + prefix.size(), entry.cend(), [](char c) {
               return c != '\0' && std::strchr(kTemporaryLetters, c) != nullptr;
           });
}

// Temporary files of this very target that are ours by name, owner and age.
void removeStaleTemporaries(const QByteArray& target) {
    DIR* folder = opendir(folderOf(target).constData());
    if (!folder)
        return;
    const QByteArray prefix = temporaryPrefix(target);
    const time_t now = std::time(nullptr);
    while (const dirent* entry = readdir(folder)) {
        struct stat st {};
        if (isTemporaryOf(entry->d_name, prefix) &&
            fstatat(dirfd(folder), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
            now - st.st_mtime > kStaleTemporarySeconds)
            unlinkat(dirfd(folder), entry->d_name, 0);
    }
    closedir(folder);
}

void keepOwnerAndMode(const QString& path, int fd, const struct stat& old) {
    // The owner first: changing it clears set-user-ID bits that the mode then restores.
    // Only root may give a file away; other users may still give it one of their groups.
    if (fchown(fd, old.st_uid, old.st_gid) != 0 &&
        fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // the new file stays the writer's own, as any file the writer makes
    }
    if (fchmod(fd, old.st_mode & 07777) != 0)
        fail(path, errno);
}

// Makes the rename itself durable. File systems that cannot sync a folder say EINVAL, and
// a folder the process may write but not read cannot be opened for it.
void syncFolder(const QString& path, const QByteArray& folder) {
    Descriptor descriptor(open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.isOpen() && fsync(descriptor.get()) != 0 && errno != EINVAL && errno != EROFS)
        fail(path, errno);
}

// The new content of a file rewritten in place: bytes in memory, or the complete temporary
// file that holds them.
struct Content {
    QByteArrayView bytes;
    int fd = -1; // when not in memory
    qint64 size = 0;

    // Copies bytes begin to end of the content to the same place in out; false with errno
    // set when a read or write fails.
    bool copyTo(int out, qint64 begin, qint64 end) const {
        if (fd < 0)
            return writeAll(out, bytes.data() + begin, end - begin, begin);
        QByteArray block(std::min<qint64>(end - begin, kSafeWriteBlock), Qt::Uninitialized);
        while (begin < end) {
            const ssize_t got =
                pread(fd, block.data(), std::min<qint64>(end - begin, block.size()), begin);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                if (got == 0)
                    errno = EIO; // the temporary file is shorter than what was written to it
                return false;
            }
            if (!writeAll(out, block.constData(), got, begin))
                return false;
            begin += got;
        }
        return true;
    }
};

// Rewrites a regular file in place. The part beyond the old end goes first: a disk too full
// for it leaves the old bytes untouched, and the file is cut back to its old length. Writers
// of the file take turns by an advisory lock on it, so that two at once cannot leave a mix
// of both; readers take no lock and may see the file half rewritten. The target's links
// were followed before: one that appeared since is not.
void rewriteInPlace(const QString& path, const QByteArray& target, const Content& content,
                    int openError = 0) {
    Descriptor file(open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW));
    if (!file.isOpen())
        fail(path, openError ? openError : errno);
    while (flock(file.get(), LOCK_EX) != 0) {
        // A file system without locks (some network mounts) is written as before.
        if (errno != EINTR && errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL)
            fail(path, errno);
        if (errno != EINTR)
            break;
    }
    struct stat st {};
    if (fstat(file.get(), &st) != 0)
        fail(path, errno);
    refuseOtherUsersEntry(path, target, st);
    const qint64 oldSize = st.st_size;
    const qint64 size = content.size;
    if (size > oldSize && !content.copyTo(file.get(), oldSize, size)) {
        const int error = errno;
        if (ftruncate(file.get(), oldSize) != 0) {
            // nothing more to do: the old bytes were never touched
        }
        fail(path, error);
    }
    if (!content.copyTo(file.get(), 0, std::min(size, oldSize)) ||
        ftruncate(file.get(), size) != 0 || fsync(file.get()) != 0 || !file.close())
        fail(path, errno);
}

// The complete new content sits in the temporary file: it takes the place of the target as
// the target is now (whose mode and owner it keeps), or, for a target with further hard
// links, is copied into it.
void replaceByTemporary(const QString& path, const QByteArray& target, TemporaryFile& temporary,
                        qint64 size) {
    // The name as it is now: another user may have put something there since the start.
    struct stat st {};
    const bool exists = lstat(target.constData(), &st) == 0;
    if (exists)
        refuseOtherUsersEntry(path, target, st);
    if (exists && S_ISDIR(st.st_mode))
        throw FileWriteError(path, QStringLiteral("同じ名前のフォルダがあります"));
    const struct stat* old = exists && S_ISREG(st.st_mode) ? &st : nullptr;
    if (old)
        refuseReadOnlyFile(path, target);
    const bool inPlace = old && old->st_nlink > 1;
    if (old && !inPlace)
        keepOwnerAndMode(path, temporary.fd(), *old);
    else if (!old && fchmod(temporary.fd(), newFileMode()) != 0)
        fail(path, errno);
    if (fsync(temporary.fd()) != 0 || !temporary.close())
        fail(path, errno);

    // A rename would break the other names off the file, so it is rewritten in place; the
    // complete new content already sits synced beside it, and stays there if the program
    // dies in the middle.
    if (inPlace) {
        Descriptor written(temporary.openForReading());
        if (!written.isOpen())
            fail(path, errno);
        rewriteInPlace(path, target, Content{{}, written.get(), size});
    } else {
        if (!temporary.renameTo(target))
            fail(path, errno);
        syncFolder(path, folderOf(target));
    }
    removeStaleTemporaries(target);
}

// A reader that goes away gives EPIPE, reported like any failed write, instead of SIGPIPE
// ending the program with the user's unsaved text.
class PipeSignalBlocked {
public:
    PipeSignalBlocked() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    }
    ~PipeSignalBlocked() {
        const timespec now{};
        while (!wasPending_ && sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalBlocked(const PipeSignalBlocked&) = delete;
    PipeSignalBlocked& operator=(const PipeSignalBlocked&) = delete;

private:
    sigset_t pipe_;
    sigset_t previous_;
    bool wasPending_ = false;
};

// A FIFO, a device or a descriptor of the process takes the bytes as they come. A regular
// file behind a descriptor is standard output sent to a file: the bytes follow what the
// file holds, as any output of the process would.
void writeIntoStream(const QString& path, const QByteArray& target, bool regular,
                     QByteArrayView data) {
    Descriptor stream(
        open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (regular ? O_APPEND : 0)));
    if (!stream.isOpen())
        fail(path, errno);
    const PipeSignalBlocked pipeSignalBlocked;
    if (!writeAll(stream.get(), data.constData(), data.size()) ||
        (regular && fsync(stream.get()) != 0) || !stream.close())
        fail(path, errno);
}

} // namespace

namespace {

// The target of path after its links, with its status; refuses what no write can replace:
// a name in a folder that does not exist, or a folder. exists tells whether st is filled.
Target checkedTarget(const QString& path, struct stat& st, bool& exists) {
    if (path.isEmpty())
        fail(path, ENOENT);
    const Target target = resolveLinks(path);
    exists = stat(target.path.constData(), &st) == 0;
    if (!exists) {
        if (errno != ENOENT && errno != ENOTDIR)
            fail(path, errno);
        struct stat folder {};
        if (stat(folderOf(target.path).constData(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            throw FileWriteError(path, QStringLiteral("フォルダが存在しません"));
    } else if (S_ISDIR(st.st_mode)) {
        throw FileWriteError(path, QStringLiteral("同じ名前のフォルダがあります"));
    } else if (S_ISREG(st.st_mode) && !target.descriptor) {
        refuseOtherUsersEntry(path, target.path, st);
        refuseReadOnlyFile(path, target.path);
    }
    return target;
}

} // namespace

void checkFileTarget(const QString& path) {
    struct stat st {};
    bool exists = false;
    checkedTarget(path, st, exists);
}

namespace {

class PosixTarget : public SafeFileTarget {
public:
    PosixTarget(const QString& path, const SafeWriteOptions& options)
        : path_(path), options_(options) {}

    Way start() override {
        struct stat st {};
        bool exists = false;
        target_ = checkedTarget(path_, st, exists);
        if (exists) {
            const bool regular = S_ISREG(st.st_mode);
            if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || (regular && target_.descriptor)) {
                streamIsRegular_ = regular;
                return Way::Stream;
            }
            if (!regular)
                throw FileWriteError(path_,
                                     QStringLiteral("通常のファイルではないため書き込みません"));
        }
        temporary_.emplace(target_.path);
        if (!temporary_->isOpen()) {
            const int error = temporary_->error();
            temporary_.reset();
            const bool folderRefused = error == EACCES || error == EPERM || error == EROFS;
            if (exists && folderRefused && options_.rewriteInPlaceIfFolderIsReadOnly) {
                temporaryError_ = error;
                return Way::InPlace;
            }
            fail(path_, error);
        }
        return Way::Temporary;
    }

    void writeTemporary(QByteArrayView bytes) override {
        if (!writeAll(temporary_->fd(), bytes.data(), bytes.size()))
            fail(path_, errno);
        written_ += bytes.size();
    }

    void dropTemporary() override { temporary_.reset(); }

    void commitTemporary() override {
        replaceByTemporary(path_, target_.path, *temporary_, written_);
    }

    void commitWhole(Way way, QByteArrayView bytes) override {
        if (way == Way::Stream)
            writeIntoStream(path_, target_.path, streamIsRegular_, bytes);
        else
            rewriteInPlace(path_, target_.path, Content{bytes, -1, bytes.size()}, temporaryError_);
    }

private:
    QString path_;
    SafeWriteOptions options_;
    Target target_;
    bool streamIsRegular_ = false;
    int temporaryError_ = 0;
    std::optional<TemporaryFile> temporary_;
    qint64 written_ = 0;
};

} // namespace

std::unique_ptr<SafeFileTarget> makeSafeFileTarget(const QString& path,
                                                   const SafeWriteOptions& options) {
    return std::make_unique<PosixTarget>(path, options);
}

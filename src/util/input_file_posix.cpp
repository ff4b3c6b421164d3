#include "util/input_file.h"

#include "util/system_error.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void refuse(int error) {
    throw InputFileError(systemErrorText(error));
}

[[noreturn]] void refuseSize(qint64 maxBytes) {
    throw inputTooLargeError(maxBytes);
}

void checkKindAndSize(const struct stat& st, qint64 maxBytes) {
    if (!S_ISREG(st.st_mode))
        throw InputFileError(fileKindText(st.st_mode));
    if (st.st_size > maxBytes)
        refuseSize(maxBytes);
}

class ReadDescriptor {
public:
    explicit ReadDescriptor(int fd) : fd_(fd) {}
    ~ReadDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// The file opened for reading once it is known to be a regular file of at most maxBytes,
// with its status as opened.
ReadDescriptor openRegularFile(const QString& path, qint64 maxBytes, struct stat& st) {
    const QByteArray name = QFile::encodeName(path);
    // The kind is known before opening: opening a FIFO would wait for a writer.
    if (path.isEmpty() || stat(name.constData(), &st) != 0)
        refuse(path.isEmpty() ? ENOENT : errno);
    checkKindAndSize(st, maxBytes);
    ReadDescriptor file(open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        refuse(errno);
    // The name may have been given to something else in between.
    if (fstat(file.get(), &st) != 0)
        refuse(errno);
    checkKindAndSize(st, maxBytes);
    return ReadDescriptor(file.release());
}

} // namespace

namespace {

// Reads fd to its end into bytes, which holds what is expected; never more than maxBytes.
QByteArray readDescriptorToEnd(int fd, QByteArray bytes, qint64 maxBytes) {
    const auto readSome = [fd](char* to, qint64 count) -> qint64 {
        for (;;) {
            const ssize_t got = read(fd, to, count);
            if (got >= 0)
                return got;
            if (errno != EINTR)
                refuse(errno);
        }
    };
    return readToEnd(readSome, std::move(bytes), maxBytes);
}

} // namespace

QByteArray readInputFile(const QString& path, qint64 maxBytes) {
    struct stat st {};
    const ReadDescriptor file = openRegularFile(path, maxBytes, st);
    // The file may still grow while it is read: never more than maxBytes.
    return readDescriptorToEnd(
        file.get(), QByteArray(static_cast<qsizetype>(st.st_size), Qt::Uninitialized), maxBytes);
}

QByteArray readInputStream(int descriptor, qint64 maxBytes) {
    return readDescriptorToEnd(descriptor, QByteArray(), maxBytes);
}

InputFile::InputFile(const QString& path) {
    struct stat st {};
    fd_ = openRegularFile(path, std::numeric_limits<qint64>::max(), st).release();
    size_ = st.st_size;
}

InputFile::~InputFile() {
    ::close(fd_);
}

qint64 InputFile::readAt(qint64 offset, char* to, qint64 size) const {
    size = std::max<qint64>(0, std::min(size, size_ - offset));
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = pread(fd_, to + done, static_cast<size_t>(size - done), offset + done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            refuse(errno);
        }
        if (got == 0)
            break; // shrunk since it was opened
        done += got;
    }
    return done;
}

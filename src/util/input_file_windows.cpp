#include "util/input_file.h"

#include "util/platform/windows_error.h"
#include "util/system_error.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <utility>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace {

[[noreturn]] void refuseWindows(DWORD error) {
    throw InputFileError(windowsErrorText(error));
}

[[noreturn]] void refuseSize(qint64 maxBytes) {
    throw inputTooLargeError(maxBytes);
}

// The file opened for reading once it is known to be a regular file of at most maxBytes,
// as a descriptor of the C library (which owns the handle from then on), and its size.
int openRegularFile(const QString& path, qint64 maxBytes, qint64& size) {
    if (path.isEmpty())
        refuseWindows(ERROR_FILE_NOT_FOUND);
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw InputFileError(fileKindText(S_IFDIR));
    // Writers may go on writing and renaming meanwhile, as on Linux.
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        refuseWindows(GetLastError());
    const DWORD type = GetFileType(handle);
    LARGE_INTEGER length{};
    if (type != FILE_TYPE_DISK || !GetFileSizeEx(handle, &length)) {
        CloseHandle(handle);
        throw InputFileError(fileKindText(type == FILE_TYPE_PIPE ? S_IFIFO : S_IFCHR));
    }
    if (length.QuadPart > maxBytes) {
        CloseHandle(handle);
        refuseSize(maxBytes);
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        throw InputFileError(systemErrorText(EMFILE));
    }
    size = length.QuadPart;
    return fd;
}

// Reads fd to its end into bytes, which holds what is expected; never more than maxBytes.
QByteArray readDescriptorToEnd(int fd, QByteArray bytes, qint64 maxBytes) {
    const auto readSome = [fd](char* to, qint64 count) -> qint64 {
        const int got =
            _read(fd, to, unsigned(std::min<qint64>(count, std::numeric_limits<int>::max())));
        if (got < 0)
            throw InputFileError(systemErrorText(errno));
        return got;
    };
    return readToEnd(readSome, std::move(bytes), maxBytes);
}

} // namespace

QByteArray readInputFile(const QString& path, qint64 maxBytes) {
    qint64 size = 0;
    const int fd = openRegularFile(path, maxBytes, size);
    try {
        QByteArray bytes =
            readDescriptorToEnd(fd, QByteArray(qsizetype(size), Qt::Uninitialized), maxBytes);
        _close(fd);
        return bytes;
    } catch (...) {
        _close(fd);
        throw;
    }
}

QByteArray readInputStream(int descriptor, qint64 maxBytes) {
    _setmode(descriptor, _O_BINARY);
    return readDescriptorToEnd(descriptor, QByteArray(), maxBytes);
}

InputFile::InputFile(const QString& path) {
    fd_ = openRegularFile(path, std::numeric_limits<qint64>::max(), size_);
}

InputFile::~InputFile() {
    _close(fd_);
}

qint64 InputFile::readAt(qint64 offset, char* to, qint64 size) const {
    size = std::max<qint64>(0, std::min(size, size_ - offset));
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
    qint64 done = 0;
    while (done < size) {
        OVERLAPPED at{};
        const qint64 position = offset + done;
        at.Offset = DWORD(position & 0xFFFFFFFF);
        at.OffsetHigh = DWORD(position >> 32);
        DWORD got = 0;
        const DWORD chunk = DWORD(std::min<qint64>(size - done, 1 << 20));
        if (!ReadFile(handle, to + done, chunk, &got, &at)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break;
            refuseWindows(error);
        }
        if (got == 0)
            break; // shrunk since it was opened
        done += got;
    }
    return done;
}

#include "util/platform/windows_error.h"

#include "util/system_error.h"

#include <QHash>

#include <cerrno>

#include <windows.h>

QString windowsErrorText(unsigned long error) {
    static const QHash<unsigned long, int> sameAs{
        {ERROR_DISK_FULL, ENOSPC},
        {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {ERROR_ACCESS_DENIED, EACCES},
        {ERROR_NETWORK_ACCESS_DENIED, EACCES},
        {ERROR_PRIVILEGE_NOT_HELD, EPERM},
        {ERROR_WRITE_PROTECT, EROFS},
        {ERROR_FILE_NOT_FOUND, ENOENT},
        {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_INVALID_DRIVE, ENOENT},
        {ERROR_DIRECTORY, ENOTDIR},
        {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
        {ERROR_SHARING_VIOLATION, EBUSY},
        {ERROR_LOCK_VIOLATION, EBUSY},
        {ERROR_BUSY, EBUSY},
        {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
        {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
        {ERROR_OUTOFMEMORY, ENOMEM},
        {ERROR_BROKEN_PIPE, EPIPE},
        {ERROR_NO_DATA, EPIPE},
        {ERROR_IO_DEVICE, EIO},
        {ERROR_CRC, EIO},
        {ERROR_INVALID_HANDLE, EBADF},
        {ERROR_FILE_TOO_LARGE, EFBIG},
    };
    constexpr unsigned long kDiskQuotaExceeded = 1295; // ERROR_DISK_QUOTA_EXCEEDED, not in mingw
    if (error == kDiskQuotaExceeded)
        return QStringLiteral("ディスク使用量の制限を超えました");
    if (const auto found = sameAs.constFind(error); found != sameAs.constEnd())
        return systemErrorText(found.value());
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const QString system =
        length ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    LocalFree(text);
    return QStringLiteral("システムエラー %1（%2）").arg(error).arg(system);
}

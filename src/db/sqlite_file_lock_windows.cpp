#include "db/sqlite_file_lock.h"

#include "db/db_error.h"

#include <QDir>

#include <windows.h>

SharedFileLock::SharedFileLock(const QString& path) {
    HANDLE file = CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    handle_ = reinterpret_cast<long long>(file);
    // SQLite's readers on Windows lock the same range shared, its writers exclusively.
    constexpr DWORD kPendingByte = 0x40000000; // SQLite's lock bytes start here
    OVERLAPPED at{};
    at.Offset = kPendingByte + 2; // the bytes readers share
    // A file that cannot be opened here is left to SQLite to report.
    if (file != INVALID_HANDLE_VALUE &&
        !LockFileEx(file, LOCKFILE_FAIL_IMMEDIATELY, 0, 510, 0, &at) &&
        GetLastError() == ERROR_LOCK_VIOLATION) {
        CloseHandle(file);
        throw DbError(QStringLiteral("他のプログラムがファイルを排他的に開いて書き込んでいます"));
    }
}

SharedFileLock::~SharedFileLock() {
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file); // the lock goes with the handle
}

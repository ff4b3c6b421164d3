#include "util/platform/user_folders.h"

#include <QDir>
#include <QStandardPaths>

#include <windows.h>

namespace {

QString folderFromVariable(const char* name, QStandardPaths::StandardLocation fallback) {
    const QString folder = qEnvironmentVariable(name);
    if (!folder.isEmpty())
        return QDir::fromNativeSeparators(folder);
    return QStandardPaths::writableLocation(fallback);
}

std::wstring nativeName(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

} // namespace

QString userSettingsBaseFolder() {
    return folderFromVariable("APPDATA", QStandardPaths::AppDataLocation);
}

QString userCacheBaseFolder() {
    return folderFromVariable("LOCALAPPDATA", QStandardPaths::GenericDataLocation);
}

// The read-only attribute tells nothing about a folder, and access rights (Program Files)
// are only known by trying: a file is opened for writing, or one is made in the folder and
// gone again when closed.
bool isWritableByProcess(const QString& path) {
    const std::wstring name = nativeName(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        const std::wstring probe =
            nativeName(QDir(path).filePath(QStringLiteral("tamsel-write-test.tmp")));
        handle = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    } else {
        handle = CreateFileW(name.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(handle);
    return true;
}

#include "util/platform/user_account.h"

#include <windows.h>

#include <lmcons.h>

QString logonUserName() {
    constexpr int kBufferBytes = 128; // the room the settings store gives the name
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    if (!GetUserNameW(name, &size) || size == 0)
        return {};
    const QString text = QString::fromWCharArray(name, int(size) - 1);
    if (text.toLocal8Bit().size() + 1 > kBufferBytes)
        return {};
    return text;
}

bool isOwnedByCurrentUser(const QFileInfo&) {
    // The temporary folder is the user's own (%TEMP% lies in the profile), so whatever the
    // program left there is the user's; Windows has no owner id for QFileInfo to compare.
    return true;
}

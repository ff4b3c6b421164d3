#include "util/platform/user_account.h"

#include <QByteArray>

#include <pwd.h>
#include <unistd.h>
#include <vector>

QString logonUserName() {
    constexpr size_t kBufferBytes = 128; // the room the settings store gives the name
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(bufferSize > 0 ? static_cast<size_t>(bufferSize) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_name)
        return {};
    const QByteArray name(found->pw_name);
    if (static_cast<size_t>(name.size()) + 1 > kBufferBytes)
        return {};
    return QString::fromLocal8Bit(name);
}

bool isOwnedByCurrentUser(const QFileInfo& entry) {
    return entry.ownerId() == ::getuid();
}

#include "util/platform/user_folders.h"

#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

QString userSettingsBaseFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString userCacheBaseFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

bool isWritableByProcess(const QString& path) {
    return access(QFile::encodeName(path).constData(), W_OK) == 0;
}

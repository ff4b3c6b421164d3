#include "db/session_environment.h"

#include "util/platform/user_folders.h"

#include <QCoreApplication>
#include <QDir>

SessionEnvironment SessionEnvironment::forApplication() {
    SessionEnvironment environment;
    if (QCoreApplication::instance())
        environment.applicationDir = QCoreApplication::applicationDirPath();
    // One place for the program and the headless tool alike, whatever the executable's name.
    const QString cache = userCacheBaseFolder();
    if (!cache.isEmpty())
        environment.cacheDir = QDir(cache).filePath(QStringLiteral("tamsel"));
    return environment;
}

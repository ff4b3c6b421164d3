#include "db/session_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

SessionEnvironment SessionEnvironment::forApplication() {
    SessionEnvironment environment;
    if (QCoreApplication::instance())
        environment.applicationDir = QCoreApplication::applicationDirPath();
    // One place for the program and the headless tool alike, whatever the executable's name.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        environment.cacheDir = QDir(cache).filePath(QStringLiteral("tamsel"));
    return environment;
}

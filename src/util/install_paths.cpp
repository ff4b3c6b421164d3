#include "util/install_paths.h"

#include <QDir>
#include <QFileInfo>

QString helpPagePath(const QString& executableFolder) {
    const QDir folder(executableFolder);
    const QString beside = folder.filePath(QStringLiteral("Html/index.html"));
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral("../share/tamsel/Html/index.html")));
    return QFileInfo(installed).isFile() ? installed : beside;
}

bool isInstalledLayout(const QString& executableFolder) {
    return QFileInfo(QDir(executableFolder).filePath(QStringLiteral("../share/tamsel"))).isDir();
}

QString readmePath(const QString& executableFolder) {
    const QString installed = QDir::cleanPath(
        QDir(executableFolder).filePath(QStringLiteral("../share/doc/tamsel/README.md")));
    return QFileInfo(installed).isFile() ? installed : QString();
}

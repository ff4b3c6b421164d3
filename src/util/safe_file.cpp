#include "util/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

FileWriteError::FileWriteError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("%1 に書き込めません：%2").arg(path, reason).toStdString()),
      path_(path) {}

void writeFileSafely(const QString& path, const QByteArray& data) {
    const QFileInfo target(path);
    if (target.isDir())
        throw FileWriteError(path, QStringLiteral("同じ名前のフォルダがあります"));
    if (!target.dir().exists())
        throw FileWriteError(path, QStringLiteral("フォルダが存在しません"));

    // QSaveFile writes a temporary file in the same folder and renames it over the target
    // on commit, copying the target's permissions; without commit the target is untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileWriteError(path, file.errorString());
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileWriteError(path, reason);
    }
    if (!file.commit())
        throw FileWriteError(path, file.errorString());
}

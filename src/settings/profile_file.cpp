#include "settings/profile_file.h"

#include "util/safe_file.h"

#include <QFile>
#include <QFileInfo>

ProfileText ProfileFile::read() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return ProfileText();
    QFile file(path_);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw ProfileError(QStringLiteral("%1 を読めません：%2").arg(path_, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ProfileError(QStringLiteral("%1 を読めません：%2").arg(path_, file.errorString()));
    return ProfileText::parse(bytes);
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    return read().readString(section, key, defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    ProfileText text = read();
    text.writeString(section, key, value);
    try {
        writeFileSafely(path_, text.toBytes(), {.rewriteInPlaceIfFolderIsReadOnly = true});
    } catch (const FileWriteError& error) {
        throw ProfileError(error.message());
    }
}

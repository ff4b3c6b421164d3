#include "settings/profile_file.h"

#include "util/input_file.h"
#include "util/safe_file.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>

namespace {

// No file and no folder by that name: what the Windows profile functions read as empty.
// Anything else that is there, or cannot be looked at, is for the reader to refuse.
bool isMissing(const QString& path) {
    struct stat st {};
    return path.isEmpty() || (stat(QFile::encodeName(path).constData(), &st) != 0 &&
                              (errno == ENOENT || errno == ENOTDIR));
}

} // namespace

ProfileText ProfileFile::read(Missing missing) const {
    if (missing == Missing::ReadsEmpty && isMissing(path_))
        return ProfileText();
    try {
        return ProfileText::parse(readInputFile(path_, kMaxFileBytes));
    } catch (const InputFileError& error) {
        throw ProfileError(QStringLiteral("%1 を読めません：%2").arg(path_, error.reason()));
    }
}

void ProfileFile::write(const ProfileText& text) const {
    try {
        writeFileSafely(path_, text.toBytes(), {.rewriteInPlaceIfFolderIsReadOnly = true});
    } catch (const FileWriteError& error) {
        throw ProfileError(error.message());
    }
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    return read().readString(section, key, defaultValue);
}

void ProfileFile::writeString(const QString& section, const QString& key,
                              const QString& value) const {
    ProfileText text = read();
    text.writeString(section, key, value);
    write(text);
}

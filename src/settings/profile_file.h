#pragma once

#include "settings/profile_text.h"

#include <QString>

// The settings file on disk, one key read or written at a time and nothing held open between
// calls, as the Windows profile-file functions work. The file's format and what a read or a
// write does to it are ProfileText's.
class ProfileFile {
public:
    explicit ProfileFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // ProfileText::readString over the file; defaultValue when the file is missing. Throws
    // ProfileError only when the file exists but cannot be read at all.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // ProfileText::writeString over the file (created when missing), rewritten whole through
    // the safe writer, so a failure leaves it exactly as it was. Throws UnstorableValueError
    // for a value the file cannot hold and ProfileError when the file cannot be read or
    // written.
    void writeString(const QString& section, const QString& key, const QString& value);

    static constexpr qsizetype kMaxValueLength = ProfileText::kMaxValueLength;

private:
    ProfileText read() const; // empty when the file does not exist

    QString path_;
};

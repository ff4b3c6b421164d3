#pragma once

#include "settings/profile_text.h"

#include <QString>

// The settings file on disk, read whole and replaced whole, with nothing held open between
// calls. The file's format and what setting a key does to it are ProfileText's.
class ProfileFile {
public:
    // Settings take a few kilobytes; a larger file is not one the program wrote.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    enum class Missing {
        ReadsEmpty, // the settings store: a missing file means every default
        IsAnError,  // a file named on purpose
    };

    explicit ProfileFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The whole file, parsed once. ProfileError naming the reason when it is not a regular
    // file (a folder, a named pipe, a device), is larger than kMaxFileBytes or cannot be
    // read, and when it is missing unless missing says that reads as an empty file.
    ProfileText read(Missing missing = Missing::ReadsEmpty) const;

    // Replaces the file (created when missing) with the text, through the safe writer: either
    // all of it or, on a failure, the file exactly as it was. Where the folder cannot be
    // written but the file can, the file is rewritten in place. ProfileError naming the reason.
    void write(const ProfileText& text) const;

    // One key read or written: read() and ProfileText::readString; read(), writeString and
    // write(). Throws what those throw.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    void writeString(const QString& section, const QString& key, const QString& value) const;

    static constexpr qsizetype kMaxValueLength = ProfileText::kMaxValueLength;

private:
    QString path_;
};

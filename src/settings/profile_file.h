#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A settings file that cannot be read or written, with the reason in words.
class ProfileError : public std::runtime_error {
public:
    explicit ProfileError(const QString& message);
};

// An INI file with the semantics the settings store was built on (the Windows profile-file
// functions): one key read or written at a time, nothing held open between calls.
//
// - Sections and keys match without regard to case; the first match counts.
// - A key line is "key=value"; key and value lose the blanks around them. Lines without
//   "=" and comment lines (";") are kept but never match.
// - The file is Shift-JIS with CR LF line ends. A file that is valid UTF-8 (and not plain
//   ASCII) is read as UTF-8, as a file edited on Linux may be; it is written back as
//   Shift-JIS at the next write.
class ProfileFile {
public:
    explicit ProfileFile(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }

    // The value of the key, without surrounding blanks and at most 2047 characters long;
    // defaultValue when the file, the section or the key is missing. A key present with an
    // empty value gives the empty string. Throws ProfileError when the file exists but
    // cannot be read or decoded.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // Sets the key: replaced in place, or appended at the end of its section, or in a new
    // section at the end of the file. The file is rewritten whole through a temporary file,
    // so a failure leaves it exactly as it was. Throws ProfileError when the value cannot be
    // stored (a line break, a character Shift-JIS cannot hold) or the file not written.
    void writeString(const QString& section, const QString& key, const QString& value);

    static constexpr qsizetype kMaxValueLength = 2047;

private:
    QStringList readLines() const; // empty when the file does not exist

    QString path_;
};

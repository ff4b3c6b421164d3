#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <stdexcept>

// The settings file in memory, with the Windows profile-file semantics the settings store
// was built on. Nothing here touches a file, so a fuzz target can drive it with any bytes.
//
// - The file is read line by line (LF, an optional CR before it), each line decoded on its
//   own. A line that does not decode is ignored for reading and kept byte for byte when
//   the file is rewritten; the other lines read as usual.
// - Sections and keys match without regard to case; the first match counts. A key line is
//   "key=value"; key and value lose the blanks around them. Lines without "=" and comment
//   lines (";") are kept but never match.
// - Shift-JIS (code page 932) or UTF-8 is decided per file: a UTF-8 byte-order mark means
//   UTF-8; otherwise the encoding whose reading looks more like Japanese text wins, and
//   Shift-JIS wins a tie. A file keeps its encoding when a key is set; a UTF-8 file then
//   gets the byte-order mark, so it is never taken for Shift-JIS afterwards. A new file is
//   Shift-JIS; every line the store writes ends in CR LF.
//
// Setting a key and reading it back, from the same ProfileText or from its bytes parsed
// again, gives the value as the file holds it: without its surrounding blanks, cut to
// kMaxValueLength and, in Shift-JIS, with the look-alike characters util/sjis.h writes in
// their code-page form. Every other key reads as before.

// A settings file that cannot be read or written, with the reason in words.
class ProfileError : public std::runtime_error {
public:
    explicit ProfileError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

// A value the file cannot hold: a line break, a character its encoding cannot hold, or text
// that would make the file read in the other encoding. Nothing was changed.
class UnstorableValueError : public ProfileError {
public:
    UnstorableValueError(const QString& message, QString character);
    // The first character the file cannot hold; empty when no single one is to blame.
    const QString& character() const noexcept { return character_; }

private:
    QString character_;
};

enum class ProfileEncoding { ShiftJis, Utf8, Utf8WithBom };

struct ProfileLine {
    enum Kind { Undecodable, Other, Section, Key };
    Kind kind = Other;
    QByteArray bytes; // as stored, without the line end (and without a byte-order mark)
    QString name;     // section or key name, without surrounding blanks
    QString value;    // key value, without surrounding blanks
};

class ProfileText {
public:
    static constexpr qsizetype kMaxValueLength = 2047;

    // Never fails: every byte sequence is a file, some of whose lines may not decode.
    static ProfileText parse(const QByteArray& bytes);

    ProfileEncoding encoding() const { return encoding_; }
    const QList<ProfileLine>& lines() const { return lines_; }

    // The value of the key, cut to kMaxValueLength (never inside a character), or
    // defaultValue when the section or the key is missing.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // Sets the key: replaced in place (keeping the key's spelling), or appended after the last
    // line of its section that is not blank, or in a new section at the end. Throws
    // UnstorableValueError for a value the file cannot hold and ProfileError for a section or
    // key name that would not read back as itself; the text is then unchanged.
    void writeString(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;

private:
    // How much the lines speak for a reading in UTF-8 or in Shift-JIS, kept as keys are set,
    // so that the check of a write weighs only the lines it changes.
    struct Reading {
        qint64 utf8 = 0;
        qint64 shiftJis = 0;
        qsizetype nonAsciiLines = 0;
        void count(const QByteArray& line, int sign);
        ProfileEncoding guess() const;
    };

    ProfileEncoding encoding_ = ProfileEncoding::ShiftJis;
    QList<ProfileLine> lines_;
    Reading reading_;
};

// The file's bytes with one key set, as ProfileText::writeString sets it.
QByteArray withProfileValue(const QByteArray& bytes, const QString& section, const QString& key,
                            const QString& value);

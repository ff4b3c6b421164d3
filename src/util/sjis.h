#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>

// Shift-JIS as Windows code page 932 (glibc iconv "CP932"), used only at the edges: the
// settings file, saved previews, the CSV output and tamsel-gen's files.
//
// A character counts as held by code page 932 when it converts there and back unchanged.
// glibc maps a few characters one way only (U+00A5 YEN SIGN becomes 0x5C, which reads back
// as a backslash); writing those would silently change the text, so they are refused.
// Seven characters that Japanese input methods on Linux type are the exception: 〜 — ‖ − ¢
// £ ¬ show the same glyph as ～ ― ∥ － ￠ ￡ ￢, which the code page holds, and are written
// as those (what a Windows reader of the file expects). They read back in that form.

// A character that code page 932 cannot hold, with its position in the text.
struct SjisUnencodable {
    qsizetype position = 0; // index of the character's first UTF-16 unit
    QString character;      // the character (two units for one outside the BMP)
    qsizetype line = 0;     // 1-based line of a text written line by line; 0 when not known
};

class SjisEncodeError : public std::runtime_error {
public:
    explicit SjisEncodeError(SjisUnencodable where);
    const SjisUnencodable& where() const noexcept { return where_; }

private:
    SjisUnencodable where_;
};

// The first character of the text that code page 932 cannot hold, if any.
std::optional<SjisUnencodable> findSjisUnencodable(QStringView text);

// The text in code page 932. Throws SjisEncodeError naming the first character it cannot
// hold; never writes "?" in its place.
QByteArray toSjis(QStringView text);

// Appends the text in code page 932 to out, growing it as needed: for a writer that encodes
// its text piece by piece into one buffer. Throws SjisEncodeError as toSjis does, and then
// leaves out as it was.
void appendSjis(QByteArray& out, QStringView text);

// The encoder under the others, for writers of many texts into one buffer they size once:
// writes the text in code page 932 from out on, where sjisLength(text) bytes must be free,
// and returns the end of what it wrote. Throws SjisEncodeError as toSjis does, having
// written what came before the character.
char* encodeSjisTo(char* out, QStringView text);

// The bytes read as code page 932, or nothing when they are not valid code page 932.
std::optional<QString> fromSjis(const QByteArray& bytes);

// The length of the text in code page 932 bytes, the unit every alignment pad counts in.
// A character the code page cannot hold counts one byte, the width of the "?" a code-page
// conversion would put in its place, so names read from a Unicode server still align.
qsizetype sjisLength(QStringView text);

// The code (0 to 255) of the text's only byte in code page 932 when the text is exactly
// one byte long there, else -1. "A" gives 65, a half-width katakana 0xA1..0xDF, "あ" -1.
qint16 CharCode(const QString& text);

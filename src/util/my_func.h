#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The program's integer text: optional leading blanks (U+0020), an optional "+" or "-",
// then decimal digits, or a hexadecimal number introduced by "$", "x", "X", "0x" or "0X".
// Nothing may follow. The value must fit a 32-bit signed integer (hexadecimal included).
// Used by the settings file, the options dialog and the argument settings dialog.
std::optional<qint32> parseInteger(QStringView text);

// True when the whole text is an integer by parseInteger's rule.
bool IsNumeric(const QString& text);

// The code (0 to 255) of the text's only byte in code page 932 when the text is exactly
// one byte long there, else -1. "A" gives 65, a half-width katakana 0xA1..0xDF, "あ" -1.
qint16 CharCode(const QString& text);

// The version of this build ("1.2.0.0").
QString GetFileVersionText();

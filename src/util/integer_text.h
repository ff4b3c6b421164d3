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

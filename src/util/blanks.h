#pragma once

#include <QString>
#include <QStringView>

// "Blanks" as the settings and the options dialog mean them: every character up to U+0020
// (the blank and the control characters). The full-width blank U+3000 is not one, so a
// name typed with a full-width blank keeps it; QString::trimmed() would strip it.
constexpr bool isBlank(QChar c) noexcept {
    return c.unicode() <= 0x20;
}

// The text without blanks at either end.
QString trimBlanks(QStringView text);

// True when the text is empty or holds blanks only.
bool isBlankOnly(QStringView text);

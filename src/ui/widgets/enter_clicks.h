#pragma once

class QAbstractButton;

// Enter on the focused button clicks it, as on Windows, also where Qt leaves Enter to a
// dialog's default button (buttons there have autoDefault off, so that Enter in a field
// stays with the navigator).
void clickOnEnter(QAbstractButton* button);

#pragma once

#include <QString>

class QLineEdit;

// A length limit on what the user types into a line edit. Unlike QLineEdit::setMaxLength
// alone, a longer text that the program puts in with setTextWhole stays whole; once the
// user shortens it, the limit closes in behind them.
void setTypingLimit(QLineEdit* edit, int limit);
void setTextWhole(QLineEdit* edit, const QString& text);

#pragma once

#include <QString>

#include <optional>

// Asks for the password on the terminal without echoing what is typed: the prompt goes to
// standard error, the answer is read from standard input up to the end of the line. Nothing
// when standard input is not a terminal. The terminal's echo comes back on every way out,
// also when the user interrupts with Ctrl+C.
std::optional<QString> promptPassword(const QString& prompt);

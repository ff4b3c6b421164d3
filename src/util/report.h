#pragma once

#include <QString>

// Every message of the program goes through a Reporter: the windows show message boxes,
// tamsel-gen writes to standard error, and tests record the message and answer it.
// The core therefore never touches a widget.

enum class MessageIcon { Information, Warning, Error };
// YesNoDefaultNo: a question whose Yes throws work away, so that Enter keeps it.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageAnswer { Ok, Yes, No };

// The caption of the toolkit-style error dialogs (settings load and save, logon failure);
// every other message box is captioned with the application title.
inline QString errorCaption() {
    return QStringLiteral("エラー");
}

class Reporter {
public:
    virtual ~Reporter() = default;

    virtual MessageAnswer report(const QString& caption, MessageIcon icon, MessageButtons buttons,
                                 const QString& text) = 0;

    // The hourglass of long operations. Calls nest; the last end restores the cursor.
    virtual void beginBusy() {}
    virtual void endBusy() {}

    // Shorthands for the two kinds of message the program shows.
    void showError(const QString& text);
    MessageAnswer showTitled(MessageIcon icon, MessageButtons buttons, const QString& text);
};

// Shows the hourglass for its lifetime, so every way out of an operation restores the cursor.
class BusyGuard {
public:
    explicit BusyGuard(Reporter& reporter) : reporter_(reporter) { reporter_.beginBusy(); }
    ~BusyGuard() { reporter_.endBusy(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    Reporter& reporter_;
};

// The text of the general error display: the error's own text with a period appended
// when its last character sorts above ".".
QString generalErrorText(const QString& errorText);

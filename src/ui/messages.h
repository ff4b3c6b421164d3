#pragma once

#include "util/report.h"

#include <QString>

#include <exception>
#include <utility>

// The windows' Reporter: the two kinds of message box (the "エラー" dialog and the boxes
// captioned with the application title) and the hourglass as the application's override
// cursor.
class MessageBoxReporter : public Reporter {
public:
    MessageAnswer report(const QString& caption, MessageIcon icon, MessageButtons buttons,
                         const QString& text) override;
    void beginBusy() override;
    void endBusy() override;
};

// The Reporter every window reports through: message boxes, unless a test installed its
// own. setMessages returns the one it replaces; nullptr restores the message boxes.
Reporter& messages();
Reporter* setMessages(Reporter* reporter);

// The general error display: an error nobody else handled, captioned with the application
// title, error icon, OK, the error's own text with a period when it needs one. The program
// then goes on.
void showGeneralError(const QString& errorText);
void showGeneralError(const std::exception& error);
void showUnknownGeneralError();

// Runs an event handler so that no exception unwinds into Qt: whatever escapes it goes to
// the general error display.
template <typename Handler> void runGuarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        showGeneralError(error);
    } catch (...) {
        showUnknownGeneralError();
    }
}

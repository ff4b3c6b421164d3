#include "ui/application.h"

#include "ui/messages.h"

TamselApplication::TamselApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TamselApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showGeneralError(error);
    } catch (...) {
        showUnknownGeneralError();
    }
    return false;
}

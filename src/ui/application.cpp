#include "ui/application.h"

#include "ui/messages.h"

#include <QLibraryInfo>
#include <QTranslator>

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

bool installQtTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

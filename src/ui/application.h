#pragma once

#include <QApplication>

// The program's application object. Every event handler catches its own errors and hands
// them to the general error display; notify() is only the last net for one that slipped
// through, so that the program goes on instead of ending.
class TamselApplication : public QApplication {
    Q_OBJECT
public:
    TamselApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Qt's own texts in Japanese (qtbase_ja.qm from Qt's translations folder), so that the
// standard dialogs say 名前, サイズ, 種類 like the rest of the windows. False when the
// translations are not installed: the dialogs then speak English, and nothing else changes.
bool installQtTranslations(QCoreApplication& application);

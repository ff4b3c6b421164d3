#pragma once

// Helpers for tests of the main window inside a whole program run (app_fixture.h).

#include "app_fixture.h"
#include "ui/save_dialog.h"
#include "ui/seams.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

class TFRM_Main;

// Logs on as a user does (the three fields, then OK) and waits until the main window is
// the active one. False when the main window did not come.
bool logOnAs(ProgramRun& run, const QString& user = QStringLiteral("SCOTT"),
             const QString& service = QStringLiteral("DEMO"));

// Selects the table list's items at the positions (clearing the rest) and presses Enter
// in the list, which runs the select command.
void selectTables(TFRM_Main* main, const QList<int>& positions);

// The names shown in the rows panel, in row order.
QStringList rowNames(const TFRM_Main* main);

// Enabled states of the commands that need a candidate list: all the same, or nullopt.
std::optional<bool> listCommandsEnabled(const TFRM_Main* main);

// Answers our modal dialogs for its lifetime: each run hands the dialog to the next
// function queued (which sets its controls as a user would) and returns its result;
// with nothing queued a dialog is cancelled.
class ScopedModalRunner {
public:
    ScopedModalRunner();
    ~ScopedModalRunner();
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

    QList<std::function<int(QDialog&)>> answers;
    QList<QDialog*> shown;

private:
    ModalRunner previous_;
};

// Answers the save-file dialog for its lifetime: records the dialog's properties as shown
// and answers with the next path queued (cancelled when none is).
class ScopedSaveDialog {
public:
    ScopedSaveDialog();
    ~ScopedSaveDialog();
    ScopedSaveDialog(const ScopedSaveDialog&) = delete;
    ScopedSaveDialog& operator=(const ScopedSaveDialog&) = delete;

    QList<std::optional<QString>> answers;
    QList<SaveDialog> shown;

private:
    SaveDialogRunner previous_;
};

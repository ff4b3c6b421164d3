#pragma once

// Helpers for tests of the main window inside a whole program run (app_fixture.h).

#include "app_fixture.h"
#include "ui/main/preview_pane.h"
#include "ui/main/table_rows.h"
#include "ui/save_dialog.h"
#include "ui/seams.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QListWidget;
class CodeEditor;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTimer;
class TFRM_Main;

// The main window as a test sees it: its controls found by their object names, as a user
// finds them on the screen, and the parts behind them (the rows panel, the preview) found
// the same way. The window's own members are reached with ->.
struct MainView {
    explicit MainView(TFRM_Main* window);
    TFRM_Main* operator->() const { return window; }
    operator TFRM_Main*() const { return window; }

    TFRM_Main* window;
    QLabel* LBL_Tables;
    QListWidget* LST_Tables;
    QLabel* LBL_CapTableName;
    QPushButton* BTN_Select;
    QPushButton* BTN_Public;
    QPushButton* BTN_Array;
    QPushButton* BTN_INS;
    QPushButton* BTN_UPD;
    QPushButton* BTN_CLR;
    QLabel* LBL_Ref;
    QPushButton* BTN_Execute;
    QPushButton* BTN_vbExecute;
    QScrollArea* SCB_Main;
    QLabel* LBL_Preview;
    CodeEditor* MEM_Preview;
    QStatusBar* STB_Main;
    QLabel* STB_Panels[3];
    QTimer* TIM_Hint;
    QAction* MNU_Logout;
    QAction* MNU_Save;
    QAction* MNU_SaveProfile;
    QAction* MNU_OpenProfile;
    QAction* MNU_Quit;
    QAction* MNU_Select;
    QAction* MNU_Execute;
    QAction* MNU_vbExecute;
    QAction* MNU_ListClear;
    QAction* MNU_Public;
    QAction* MNU_Array;
    QAction* MNU_INS;
    QAction* MNU_UPD;
    QAction* MNU_CLR;
    QAction* MNU_PackHeader;
    QAction* MNU_ProcHeader;
    QAction* MNU_OracleConst;
    QAction* MNU_ModHeader;
    QAction* MNU_VbProcHeader;
    QAction* MNU_OutPutDesc;
    QAction* MNU_Setting;
    QAction* MNU_About;
    QAction* MNU_Help;
    TableRows* Rows;
    PreviewPane* Preview;
};

// Logs on as a user does (the three fields, then OK) and waits until the main window is
// the active one. False when the main window did not come.
bool logOnAs(ProgramRun& run, const QString& user = QStringLiteral("SCOTT"),
             const QString& service = QStringLiteral("DEMO"));

// Selects the table list's items at the positions (clearing the rest) and presses Enter
// in the list, which runs the select command.
void selectTables(const MainView& main, const QList<int>& positions);

// The names shown in the rows panel, in row order.
QStringList rowNames(const MainView& main);

// Enabled states of the commands that need a candidate list: all the same, or nullopt.
std::optional<bool> listCommandsEnabled(const MainView& main);

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

// Answers the open-file dialog for its lifetime with the next path queued (cancelled when
// none is), recording the folder and filter it was shown with.
class ScopedOpenDialog {
public:
    ScopedOpenDialog();
    ~ScopedOpenDialog();
    ScopedOpenDialog(const ScopedOpenDialog&) = delete;
    ScopedOpenDialog& operator=(const ScopedOpenDialog&) = delete;

    QList<std::optional<QString>> answers;
    QStringList folders;
    QStringList filters;

private:
    OpenDialogRunner previous_;
};

#include "main_fixture.h"

#include "ui/main/frm_main.h"
#include "ui/main/preview_pane.h"
#include "ui/main/table_rows.h"
#include "ui/widgets/code_editor.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

// A part of the window by its object name; a test cannot go on without it.
template <typename T> T* part(const QObject* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("the main window has no %s", name);
    return found;
}

} // namespace

MainView::MainView(TFRM_Main* w)
    : window(w), LBL_Tables(part<QLabel>(w, "LBL_Tables")),
      LST_Tables(part<QListWidget>(w, "LST_Tables")),
      LBL_CapTableName(part<QLabel>(w, "LBL_CapTableName")),
      BTN_Select(part<QPushButton>(w, "BTN_Select")),
      BTN_Public(part<QPushButton>(w, "BTN_Public")), BTN_Array(part<QPushButton>(w, "BTN_Array")),
      BTN_INS(part<QPushButton>(w, "BTN_INS")), BTN_UPD(part<QPushButton>(w, "BTN_UPD")),
      BTN_CLR(part<QPushButton>(w, "BTN_CLR")), LBL_Ref(part<QLabel>(w, "LBL_Ref")),
      BTN_Execute(part<QPushButton>(w, "BTN_Execute")),
      BTN_vbExecute(part<QPushButton>(w, "BTN_vbExecute")),
      SCB_Main(part<QScrollArea>(w, "SCB_Main")), LBL_Preview(part<QLabel>(w, "LBL_Preview")),
      MEM_Preview(part<CodeEditor>(w, "MEM_Preview")),
      STB_Main(part<QStatusBar>(w, "STB_Main")), STB_Panels{part<QLabel>(w, "STB_Panel0"),
                                                            part<QLabel>(w, "STB_Panel1"),
                                                            part<QLabel>(w, "STB_Panel2")},
      TIM_Hint(part<QTimer>(w, "TIM_Hint")), MNU_Logout(part<QAction>(w, "MNU_Logout")),
      MNU_Save(part<QAction>(w, "MNU_Save")), MNU_SaveProfile(part<QAction>(w, "MNU_SaveProfile")),
      MNU_OpenProfile(part<QAction>(w, "MNU_OpenProfile")), MNU_Quit(part<QAction>(w, "MNU_Quit")),
      MNU_Select(part<QAction>(w, "MNU_Select")), MNU_Execute(part<QAction>(w, "MNU_Execute")),
      MNU_vbExecute(part<QAction>(w, "MNU_vbExecute")),
      MNU_ListClear(part<QAction>(w, "MNU_ListClear")), MNU_Public(part<QAction>(w, "MNU_Public")),
      MNU_Array(part<QAction>(w, "MNU_Array")), MNU_INS(part<QAction>(w, "MNU_INS")),
      MNU_UPD(part<QAction>(w, "MNU_UPD")), MNU_CLR(part<QAction>(w, "MNU_CLR")),
      MNU_PackHeader(part<QAction>(w, "MNU_PackHeader")),
      MNU_ProcHeader(part<QAction>(w, "MNU_ProcHeader")),
      MNU_OracleConst(part<QAction>(w, "MNU_OracleConst")),
      MNU_ModHeader(part<QAction>(w, "MNU_ModHeader")),
      MNU_VbProcHeader(part<QAction>(w, "MNU_VbProcHeader")),
      MNU_OutPutDesc(part<QAction>(w, "MNU_OutPutDesc")),
      MNU_Setting(part<QAction>(w, "MNU_Setting")), MNU_About(part<QAction>(w, "MNU_About")),
      MNU_Help(part<QAction>(w, "MNU_Help")), Rows(part<TableRows>(w, "TableRows")),
      Preview(part<PreviewPane>(w, "Preview")) {}

bool logOnAs(ProgramRun& run, const QString& user, const QString& service) {
    TFRM_Logon* logon = run.logon();
    if (!showActive(logon))
        return false;
    logon->EDT_User->setText(user);
    logon->EDT_Pass->setText(QStringLiteral("tiger"));
    logon->EDT_Alias->setText(service);
    QTest::mouseClick(logon->CMD_OK, Qt::LeftButton);
    return run.main()->isVisible() && QTest::qWaitForWindowActive(run.main());
}

void selectTables(const MainView& main, const QList<int>& positions) {
    main.LST_Tables->clearSelection();
    for (int p : positions)
        main.LST_Tables->item(p)->setSelected(true);
    main.LST_Tables->setFocus();
    QTest::keyClick(main.LST_Tables, Qt::Key_Return);
}

QStringList rowNames(const MainView& main) {
    QStringList names;
    for (qsizetype i = 0; i < main.Rows->size(); ++i)
        names.append(main.Rows->at(i).NameLabel->text());
    return names;
}

std::optional<bool> listCommandsEnabled(const MainView& main) {
    // The commands that need a candidate list: the menu items and the buttons alike.
    const QList<QAction*> items{main.MNU_ListClear,  main.MNU_OutPutDesc, main.MNU_Public,
                                main.MNU_Execute,    main.MNU_vbExecute,  main.MNU_Array,
                                main.MNU_INS,        main.MNU_UPD,        main.MNU_CLR,
                                main.MNU_SaveProfile};
    const QList<QWidget*> buttons{main.BTN_Execute, main.BTN_vbExecute, main.BTN_Public,
                                  main.BTN_Array,   main.BTN_INS,       main.BTN_UPD,
                                  main.BTN_CLR};
    std::optional<bool> state;
    const auto agree = [&state](bool enabled) {
        if (state && *state != enabled)
            return false;
        state = enabled;
        return true;
    };
    for (const QAction* item : items)
        if (!agree(item->isEnabled()))
            return std::nullopt;
    for (const QWidget* button : buttons)
        if (!agree(button->isEnabled()))
            return std::nullopt;
    return state;
}

ScopedModalRunner::ScopedModalRunner()
    : previous_(setModalRunner([this](QDialog& dialog) {
          shown.append(&dialog);
          if (answers.isEmpty())
              return int(QDialog::Rejected);
          return answers.takeFirst()(dialog);
      })) {}

ScopedModalRunner::~ScopedModalRunner() {
    setModalRunner(previous_);
}

ScopedSaveDialog::ScopedSaveDialog()
    : previous_(setSaveDialogRunner([this](QWidget*, const SaveDialog& dialog) {
          shown.append(dialog);
          return answers.isEmpty() ? std::nullopt : answers.takeFirst();
      })) {}

ScopedSaveDialog::~ScopedSaveDialog() {
    setSaveDialogRunner(previous_);
}

ScopedOpenDialog::ScopedOpenDialog()
    : previous_(setOpenDialogRunner([this](QWidget*, const QString& folder, const QString& filter) {
          folders.append(folder);
          filters.append(filter);
          return answers.isEmpty() ? std::nullopt : answers.takeFirst();
      })) {}

ScopedOpenDialog::~ScopedOpenDialog() {
    setOpenDialogRunner(previous_);
}

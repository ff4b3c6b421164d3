#include "main_fixture.h"

#include "ui/main/frm_main.h"
#include "ui/main/table_rows.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

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

void selectTables(TFRM_Main* main, const QList<int>& positions) {
    main->LST_Tables->clearSelection();
    for (int p : positions)
        main->LST_Tables->item(p)->setSelected(true);
    main->LST_Tables->setFocus();
    QTest::keyClick(main->LST_Tables, Qt::Key_Return);
}

QStringList rowNames(const TFRM_Main* main) {
    QStringList names;
    for (qsizetype i = 0; i < main->Rows->size(); ++i)
        names.append(main->Rows->at(i).NameLabel->text());
    return names;
}

std::optional<bool> listCommandsEnabled(const TFRM_Main* main) {
    std::optional<bool> state;
    for (QObject* command : main->ListCommands()) {
        bool enabled = false;
        if (auto* action = qobject_cast<QAction*>(command))
            enabled = action->isEnabled();
        else
            enabled = qobject_cast<QWidget*>(command)->isEnabled();
        if (state && *state != enabled)
            return std::nullopt;
        state = enabled;
    }
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

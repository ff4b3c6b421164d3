#include "ui/main/frm_main.h"

#include "app/frm_logon.h"
#include "settings/settings.h"
#include "ui/app_windows.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_option.h"
#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/window_geometry.h"
#include "util/app_info.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>

namespace {

template <typename Handler>
QAction* menuItem(QMenu* menu, const QString& text, QKeySequence shortcut, Handler handler) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, menu, [handler] { runGuarded(handler); });
    return action;
}

} // namespace

TFRM_Main::TFRM_Main(AppSettings& settings, AppWindows& windows, QWidget* parent)
    : QMainWindow(parent), settings_(settings), windows_(windows) {
    setObjectName(QStringLiteral("FRM_Main"));
    setFont(windowFont());

    QMenu* files = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MNU_Logout = menuItem(files, QStringLiteral("ログアウト(&L)"),
                          QKeySequence(Qt::CTRL | Qt::Key_O), [this] { MNU_LogoutClick(); });
    files->addSeparator();
    MNU_Quit = menuItem(files, QStringLiteral("閉じる(&X)"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                        [this] { MNU_QuitClick(); });
    QMenu* options = menuBar()->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
    MNU_Setting = menuItem(options, QStringLiteral("設定(&S)..."), QKeySequence(),
                           [this] { MNU_SettingClick(); });
    QMenu* helps = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MNU_About = menuItem(helps, QStringLiteral("バージョン情報(&A)"), QKeySequence(),
                         [this] { MNU_AboutClick(); });

    auto* central = new QWidget(this);
    LBL_Tables = new QLabel(central);
    LBL_Tables->setObjectName(QStringLiteral("LBL_Tables"));
    QFont bold = LBL_Tables->font();
    bold.setBold(true);
    LBL_Tables->setFont(bold);
    LBL_Tables->move(10, 8);
    setCentralWidget(central);

    FormCreate();
}

QString TFRM_Main::closeQuestion() {
    return applicationTitle() + QStringLiteral("を終了します。");
}

void TFRM_Main::FormCreate() {
    setWindowTitle(applicationTitle());
    setOuterSize(this, QSize(settings_.Width, settings_.Height));
    placeWindow(this, 3);
}

void TFRM_Main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TFRM_Main::FormShow() {
    LBL_Tables->setText(settings_.UserNM + QStringLiteral("のテーブル一覧"));
    LBL_Tables->adjustSize();
}

void TFRM_Main::closeEvent(QCloseEvent* event) {
    bool close = false;
    runGuarded([&] { close = FormCloseQuery(); });
    if (!close) {
        event->ignore();
        return;
    }
    event->accept();
    runGuarded([this] { FormClose(); });
}

bool TFRM_Main::FormCloseQuery() {
    return messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                                 closeQuestion()) == MessageAnswer::Yes;
}

void TFRM_Main::FormClose() {
    // The logon window's close saves the settings and ends the program.
    windows_.FRM_Logon->close();
}

void TFRM_Main::MNU_LogoutClick() {
    TFRM_Logon* logon = windows_.FRM_Logon;
    if (logon->Db)
        logon->Db->Close();
    hide();
    LBL_Tables->clear();
    logon->show();
    logon->activateWindow();
}

void TFRM_Main::MNU_QuitClick() {
    close();
}

void TFRM_Main::MNU_SettingClick() {
    runModal(*windows_.FRM_Option);
}

void TFRM_Main::MNU_AboutClick() {
    runModal(*windows_.FRM_About);
}

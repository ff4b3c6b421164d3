#include "app/frm_logon.h"

#include "db/db_messages.h"
#include "settings/setting_rules.h"
#include "settings/settings.h"
#include "ui/app_windows.h"
#include "ui/fonts.h"
#include "ui/main/frm_main.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/widgets/enter_clicks.h"
#include "ui/widgets/field_events.h"
#include "ui/widgets/placed_label.h"
#include "ui/widgets/star_password_style.h"
#include "ui/widgets/upper_case_validator.h"
#include "ui/widgets/win_ctrl.h"
#include "ui/window_geometry.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

QLineEdit* edit(QWidget* parent, const char* name, int left, int top) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(left, top, 160, 20);
    return e;
}

QPushButton* glyphButton(QWidget* parent, const char* name, const QString& text,
                         QStyle::StandardPixmap glyph, int left) {
    auto* b = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 121, 80, 25);
    clickOnEnter(b);
    return b;
}

} // namespace

TFRM_Logon::TFRM_Logon(AppSettings& settings, AppWindows& windows, SessionFactory sessionFactory,
                       QWidget* parent)
    : QWidget(parent), settings_(settings), windows_(windows),
      sessionFactory_(std::move(sessionFactory)) {
    setObjectName(QStringLiteral("FRM_Logon"));
    // A fixed border with the system menu and the close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(windowFont());
    createControls();
    FormCreate();
}

TFRM_Logon::~TFRM_Logon() = default;

void TFRM_Logon::createControls() {
    Label2 = placedLabel(this, "Label2", QStringLiteral("ユーザー："), 27, 27);
    EDT_User = edit(this, "EDT_User", 84, 23);
    Label3 = placedLabel(this, "Label3", QStringLiteral("パスワード："), 21, 54);
    EDT_Pass = edit(this, "EDT_Pass", 84, 50);
    Label1 = placedLabel(this, "Label1", QStringLiteral("サービス："), 29, 81);
    EDT_Alias = edit(this, "EDT_Alias", 84, 78);
    CMD_OK = glyphButton(this, "CMD_OK", QStringLiteral("OK"), QStyle::SP_DialogOkButton, 77);
    CMD_Cancel = glyphButton(this, "CMD_Cancel", QStringLiteral("Cancel"),
                             QStyle::SP_DialogCancelButton, 165);
    setTabOrder(EDT_User, EDT_Pass);
    setTabOrder(EDT_Pass, EDT_Alias);
    setTabOrder(EDT_Alias, CMD_OK);
    setTabOrder(CMD_OK, CMD_Cancel);

    EDT_User->setValidator(new UpperCaseValidator(EDT_User));
    EDT_Alias->setValidator(new UpperCaseValidator(EDT_Alias));
    EDT_Pass->setEchoMode(QLineEdit::Password);
    auto* stars = new StarPasswordStyle();
    stars->setParent(EDT_Pass);
    EDT_Pass->setStyle(stars);
    EDT_User->setFocus(); // where the first showing starts

    connect(CMD_OK, &QPushButton::clicked, this, [this] { runGuarded([this] { CMD_OKClick(); }); });
    connect(CMD_Cancel, &QPushButton::clicked, this,
            [this] { runGuarded([this] { CMD_CancelClick(); }); });

    FieldEvents::Handlers handlers;
    handlers.enter = [this](QWidget* field) {
        EDT_UserEnter(field);
    };
    handlers.exit = [this](QWidget*) {
        EDT_UserExit();
    };
    handlers.keyDown = [this](QWidget* field, quint16& key, Qt::KeyboardModifiers shift) {
        if (field == EDT_Alias)
            EDT_AliasKeyDown(key, shift);
        else
            EDT_UserKeyDown(key, shift);
    };
    handlers.keyPress = [this](QWidget*, QChar& key) {
        EDT_UserKeyPress(key);
    };
    fieldEvents_ = new FieldEvents(this, std::move(handlers));
    for (QLineEdit* field : {EDT_User, EDT_Pass, EDT_Alias})
        fieldEvents_->watch(field);
}

QString TFRM_Logon::openFailedText() {
    return cannotOpenDatabaseText();
}

void TFRM_Logon::FormCreate() {
    setOuterSize(this, QSize(260, 180), true);
    placeWindow(this, 3);
    Connected = false;

    const SettingsLocation location = settingsLocation(executableFolder());
    LoadSettings(settings_, location.readPath, SettingsPlatform{location.defaultFolder},
                 messages());

    WinCtrl = new TWinCtrl(this);
    WinCtrl->setFieldCheck([this] { return CheckLogonField(); });
    WinCtrl->Collect(this);
    WinCtrl->ClearFields(true, 0, 0);

    setWindowTitle(QStringLiteral("ログイン"));
    if (!settings_.Alias.isEmpty())
        EDT_Alias->setText(settings_.Alias);
    if (!settings_.UserNM.isEmpty())
        EDT_User->setText(settings_.UserNM);
}

void TFRM_Logon::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_)
        return;
    closed_ = true;
    runGuarded([this] { FormClose(); });
    emit closed();
}

void TFRM_Logon::FormClose() {
    const QSize mainSize =
        windows_.FRM_Main ? outerSize(windows_.FRM_Main) : QSize(settings_.Width, settings_.Height);
    const auto closeDatabase = [this] {
        if (Connected) {
            if (Db)
                Db->Close();
            Connected = false;
        }
    };
    // The user's own settings folder is made at the first save; where it cannot be, the save
    // fails with its message and whatever is stored stays as it was.
    const QString path = settingsLocation(executableFolder()).writePath;
    QDir().mkpath(QFileInfo(path).path());
    SaveSettings(settings_, path, mainSize, closeDatabase, messages());
    delete WinCtrl;
    WinCtrl = nullptr;
}

void TFRM_Logon::CMD_OKClick() {
    // The user name is the schema of every generated line and stands in the main window's
    // caption: one holding a control character is refused before the database sees it. What
    // follows a "/" is the password, which the database gets as typed.
    const QString user = userWithoutPassword(EDT_User->text());
    if (const std::optional<QChar> control = firstControlCharacter(user)) {
        messages().showError(QStringLiteral("ユーザー %1 の名前に%2")
                                 .arg(shownName(user), controlCharacterText(*control)));
        return;
    }
    bool opened = false;
    {
        BusyGuard busy(messages());
        try {
            // A new session each attempt; a failed one leaves the earlier database as it was.
            auto database = sessionFactory_(
                EDT_Alias->text(), EDT_User->text() + QLatin1Char('/') + EDT_Pass->text(), 0);
            Db = std::move(database);
            Connected = true;
            settings_.Alias = EDT_Alias->text();
            settings_.UserNM = user;
            opened = true;
        } catch (...) {
            // Whatever went wrong, the user gets the one message and may try again.
        }
        if (opened) {
            hide();
            // The main window reports its own errors while it is shown.
            windows_.FRM_Main->show();
            windows_.FRM_Main->activateWindow();
        }
    }
    if (!opened)
        messages().showError(openFailedText());
}

void TFRM_Logon::CMD_CancelClick() {
    close();
}

void TFRM_Logon::ShowAfterLogout() {
    if (Db)
        Db->Close();
    show();
    activateWindow();
}

void TFRM_Logon::EDT_UserEnter(QWidget* field) {
    if (WinCtrl)
        WinCtrl->FieldEnter(field);
}

void TFRM_Logon::EDT_UserExit() {
    if (WinCtrl)
        WinCtrl->FieldExit();
}

void TFRM_Logon::EDT_UserKeyDown(quint16& key, Qt::KeyboardModifiers shift) {
    if (WinCtrl)
        WinCtrl->FieldKeyDown(key, shift);
}

void TFRM_Logon::EDT_AliasKeyDown(quint16& key, Qt::KeyboardModifiers shift) {
    Q_UNUSED(shift);
    if (!WinCtrl)
        return;
    if (key == TWinCtrl::KeyEnter) {
        WinCtrl->LastKey = TWinCtrl::KeyEnter;
        key = 0;
        CMD_OKClick();
    } else if (key == TWinCtrl::KeyUp) {
        WinCtrl->LastKey = TWinCtrl::KeyUp;
        key = 0;
        WinCtrl->FocusPrevious();
    }
}

void TFRM_Logon::EDT_UserKeyPress(QChar& key) {
    if (WinCtrl)
        WinCtrl->FieldKeyPress(key);
}

qint32 TFRM_Logon::CheckLogonField() {
    return 0; // no logon field is ever marked invalid
}

#pragma once

#include "app/logon_database.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class FieldEvents;
class TWinCtrl;
struct AppSettings;
struct AppWindows;

// The logon window, the program's main window: created first, it loads the settings, opens
// the database, hides itself while the main window works and comes back after a logout;
// closing it saves the settings and ends the program.
class TFRM_Logon : public QWidget {
    Q_OBJECT
public:
    TFRM_Logon(AppSettings& settings, AppWindows& windows, SessionFactory sessionFactory,
               QWidget* parent = nullptr);
    ~TFRM_Logon() override;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* EDT_User;
    QLineEdit* EDT_Pass;
    QLineEdit* EDT_Alias;
    QPushButton* CMD_OK;
    QPushButton* CMD_Cancel;
    TWinCtrl* WinCtrl = nullptr; // freed when the window closes

    // The database from the last successful logon on; a logout closes it but keeps it.
    std::unique_ptr<LogonDatabase> Db;
    // From a successful logon until the window closes the database at the end.
    bool Connected = false;

    void FormCreate();
    void FormClose();
    void CMD_OKClick();
    void CMD_CancelClick();
    // The service and the user of a profile the program was started with, in place of the
    // last logon's; the password is typed as ever.
    void PresetLogon(const QString& service, const QString& user);
    // The main window logged out: the database is closed (the window stays Connected, so
    // the close at the end closes it again) and this window comes back as it was left.
    void ShowAfterLogout();
    void EDT_UserEnter(QWidget* field);
    void EDT_UserExit();
    void EDT_UserKeyDown(quint16& key, Qt::KeyboardModifiers shift);
    void EDT_AliasKeyDown(quint16& key, Qt::KeyboardModifiers shift);
    void EDT_UserKeyPress(QChar& key);
    qint32 CheckLogonField();

    // "ﾃﾞｰﾀﾍﾞｰｽを開けません", and the reason the database layer gave on a line of its own.
    static QString openFailedText(const QString& reason = {});

signals:
    // The window closed and saved the settings: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();

    AppSettings& settings_;
    AppWindows& windows_;
    SessionFactory sessionFactory_;
    FieldEvents* fieldEvents_ = nullptr;
    bool closed_ = false;
};

#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
struct AppSettings;
struct AppWindows;

// A stand-in for the working window, with just what the logon flow needs: it takes its
// outer size from the settings, shows the logged-on user, opens the options and version
// windows, logs out to the logon window and ends the program. The table list, the rows
// panel, the preview and the generation commands replace it.
class TFRM_Main : public QMainWindow {
    Q_OBJECT
public:
    TFRM_Main(AppSettings& settings, AppWindows& windows, QWidget* parent = nullptr);

    QLabel* LBL_Tables;
    QAction* MNU_Logout;
    QAction* MNU_Quit;
    QAction* MNU_Setting;
    QAction* MNU_About;

    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void MNU_LogoutClick();
    void MNU_QuitClick();
    void MNU_SettingClick();
    void MNU_AboutClick();

    static QString closeQuestion(); // "Tamselを終了します。"

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppSettings& settings_;
    AppWindows& windows_;
};

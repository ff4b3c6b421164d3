#pragma once

#include "app/logon_database.h"
#include "settings/settings.h"
#include "ui/app_windows.h"

#include <memory>

// One run of the program: the settings in memory and the windows, created hidden in their
// order at construction (each window's creation handler runs then; the logon window loads
// the settings before the main window takes its size from them) and destroyed in reverse.
class Program {
public:
    explicit Program(SessionFactory sessionFactory);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the logon window; the program ends when it closes (TFRM_Logon::closed). With a
    // profile, the window shows its service and user, and the main window opens it after the
    // logon; a profile that cannot be read is reported and the program starts as without.
    void Start(const QString& profilePath = {});

    AppSettings Settings;
    AppWindows Windows;

private:
    std::unique_ptr<TFRM_Logon> logon_;
    std::unique_ptr<TFRM_Main> main_;
    std::unique_ptr<TFRM_About> about_;
    std::unique_ptr<TFRM_Temp> temp_;
    std::unique_ptr<TFRM_Option> option_;
    std::unique_ptr<TFRM_Reference> reference_;
};

#include "app/program.h"

#include "app/frm_logon.h"
#include "profile/gen_profile.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_option.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/dialogs/standard_dialogs.h"
#include "ui/main/frm_main.h"
#include "ui/main/frm_temp.h"
#include "ui/messages.h"

Program::Program(SessionFactory sessionFactory) {
    registerStandardDialogs();
    logon_ = std::make_unique<TFRM_Logon>(Settings, Windows, std::move(sessionFactory));
    Windows.FRM_Logon = logon_.get();
    TFRM_Logon* logon = logon_.get();
    main_ = std::make_unique<TFRM_Main>(Settings, Windows, [logon]() -> Database* {
        return logon->Db ? logon->Db->database() : nullptr;
    });
    Windows.FRM_Main = main_.get();
    QObject::connect(main_.get(), &TFRM_Main::loggedOut, logon, &TFRM_Logon::ShowAfterLogout);
    QObject::connect(main_.get(), &TFRM_Main::closed, logon, &QWidget::close);
    about_ = std::make_unique<TFRM_About>();
    Windows.FRM_About = about_.get();
    temp_ = std::make_unique<TFRM_Temp>();
    Windows.FRM_Temp = temp_.get();
    option_ = std::make_unique<TFRM_Option>(Settings.GenSettings);
    Windows.FRM_Option = option_.get();
    reference_ = std::make_unique<TFRM_Reference>();
    Windows.FRM_Reference = reference_.get();
}

Program::~Program() {
    reference_.reset();
    option_.reset();
    temp_.reset();
    about_.reset();
    main_.reset();
    logon_.reset();
}

void Program::Start(const QString& profilePath) {
    QString unreadable;
    if (!profilePath.isEmpty()) {
        try {
            const GenProfile profile = readGenProfile(profilePath);
            Windows.FRM_Logon->PresetLogon(profile.service, profile.user);
            Windows.FRM_Main->OpenProfileAfterLogon(profilePath);
        } catch (const GenProfileError& error) {
            unreadable = error.message();
        }
    }
    Windows.FRM_Logon->show();
    // Without a window manager (a bare X server) nothing else would give it the keyboard.
    Windows.FRM_Logon->activateWindow();
    if (!unreadable.isEmpty())
        messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, unreadable);
}

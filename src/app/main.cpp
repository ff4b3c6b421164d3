#include "app/frm_logon.h"
#include "app/program.h"
#include "ui/app_icon.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "util/app_info.h"

int main(int argc, char** argv) {
    TamselApplication app(argc, argv);
    QCoreApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(applicationIcon());
    registerFontSubstitutions();
    // The program ends when the logon window closes, also while it is hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(databaseSessionFactory());
    QObject::connect(program.Windows.FRM_Logon, &TFRM_Logon::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.Start();
    return app.exec();
}

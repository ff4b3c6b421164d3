#include "app/frm_logon.h"
#include "app/program.h"
#include "app/program_arguments.h"
#include "ui/app_icon.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "util/app_info.h"
#include "util/install_paths.h"

#include <cstdio>

namespace {

bool print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream) ==
               static_cast<size_t>(bytes.size()) &&
           std::fflush(stream) == 0;
}

} // namespace

int main(int argc, char** argv) {
    // Read before the application object exists, which needs a display: --help, --version
    // and a wrong option are answered in the terminal, also where there is none.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    ProgramArguments parsed;
    try {
        parsed = parseProgramArguments(arguments);
    } catch (const ProgramArgumentError& error) {
        print(stderr, QStringLiteral("tamsel: ") + error.message() + QLatin1Char('\n'));
        return kProgramExitUsage;
    }
    if (parsed.action == ProgramAction::Help) {
        // Its folder, to find the README; an application object that needs no display.
        const QCoreApplication core(argc, argv);
        return print(stdout, programHelpText(readmePath(QCoreApplication::applicationDirPath())))
                   ? 0
                   : 1;
    }
    if (parsed.action == ProgramAction::Version)
        return print(stdout, programVersionText()) ? 0 : 1;

    TamselApplication app(argc, argv);
    QCoreApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(applicationIcon());
    installQtTranslations(app);
    registerFontSubstitutions();
    // The program ends when the logon window closes, also while it is hidden.
    QApplication::setQuitOnLastWindowClosed(false);

    Program program(databaseSessionFactory());
    QObject::connect(program.Windows.FRM_Logon, &TFRM_Logon::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.Start(parsed.profilePath);
    return app.exec();
}

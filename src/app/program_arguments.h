#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// The window program's command line, read before the application object exists: --help and
// --version answer without a display, and a wrong option ends the program with a message on
// standard error instead of opening a window that ignores it.
//
//   tamsel [PROFILE.json] [Qt's options]
//   tamsel --help | --version
//
// Qt's own options (-platform NAME, -style NAME, -display HOST:N, ...) pass through to the
// application object, with their values; "--" ends the options.

// A command line the program cannot start with: the message says what is wrong.
class ProgramArgumentError : public std::runtime_error {
public:
    explicit ProgramArgumentError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

enum class ProgramAction { Run, Help, Version };

struct ProgramArguments {
    ProgramAction action = ProgramAction::Run;
    QString profilePath; // empty: no profile to open after the logon
};

// Reads the arguments after the program's name. Throws ProgramArgumentError.
ProgramArguments parseProgramArguments(const QStringList& arguments);

// What --help and --version print; --help ends with where bugs are reported (readme: the
// installed README's path, empty where there is none).
QString programHelpText(const QString& readme);
QString programVersionText();

// The exit status of a wrong command line, as the GNU tools give it.
inline constexpr int kProgramExitUsage = 2;

#pragma once

#include "cli/gen_verbs.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

// A command line tamsel-gen cannot run: the message says what is wrong.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

// The name that stands for standard input as PROFILE and for standard output after -o.
inline constexpr QStringView kStandardStream = u"-";

struct CommandLine {
    const GenVerb* verb = nullptr; // nullptr: the program's own --help or --version
    bool help = false;             // --help: of the verb when there is one
    bool version = false;
    QString profilePath; // "-": standard input
    QString outputPath;  // -o; empty: none given, "-": standard output
    QString checkPath;   // --check: the saved file the output is compared with
    bool utf8 = false;   // UTF-8 with LF instead of the saved-file format
    // --strict: a name the text writes that Oracle reserves fails the run, not only warns.
    bool strict = false;
    bool quiet = false; // --quiet: no progress and no notices; warnings and errors still

    // Standard output gets the text: no -o, or -o -.
    bool writesStandardOutput() const {
        return outputPath.isEmpty() || outputPath == kStandardStream;
    }
};

// Reads the arguments after the program name:
//   VERB PROFILE [OPTION]...  (the verbs and the options each takes: cli/gen_verbs.cpp)
//   VERB --help
//   --help | --version
// Options may stand before or after the profile; "--" ends them. --help anywhere before
// "--" asks for the verb's help, whatever else the line holds. Throws UsageError.
CommandLine parseCommandLine(const QStringList& arguments);

// What --help prints; the bugs section names readme, the README's path (empty: unknown).
QString helpText(const QString& readme);

// What VERB --help prints.
QString verbHelpText(const GenVerb& verb);

// What --version prints.
QString versionText();

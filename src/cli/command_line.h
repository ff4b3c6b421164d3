#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// A command line tamsel-gen cannot run: the message says what is wrong.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

enum class GenCommand { Package, Vb, Csv, Tables, Snapshot, Help, Version };

struct CommandLine {
    GenCommand command = GenCommand::Help;
    QString profilePath;
    QString outputPath; // empty: standard output
    QString checkPath;  // --check: the saved file the output is compared with
    bool utf8 = false;  // UTF-8 with LF instead of the saved-file format
    // --strict: a name the text writes that Oracle reserves fails the run, not only warns.
    bool strict = false;
};

// Reads the arguments after the program name:
//   package|vb PROFILE [-o FILE | --check FILE] [--utf8] [--strict]
//   csv PROFILE [-o FILE | --check FILE] [--utf8]
//   tables PROFILE
//   snapshot PROFILE -o FILE
//   --help | --version
// Options may stand before or after the profile; "--" ends them. Throws UsageError.
CommandLine parseCommandLine(const QStringList& arguments);

// What --help prints.
QString helpText();

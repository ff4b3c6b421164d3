#pragma once

#include "cli/command_line.h"
#include "db/session.h"
#include "settings/settings.h"
#include "util/clock.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

// tamsel-gen's exit statuses.
enum ExitStatus : int {
    kExitDone = 0,
    kExitUnexpected = 1,    // an error nothing else accounts for
    kExitUsage = 2,         // command line, profile or settings file unusable
    kExitNoPublicTable = 3, // no candidate table is public
    kExitLogon = 4,         // the database could not be opened
    kExitRetrieval = 5,     // the table list or the columns could not be read
    kExitOutput = 6,        // nothing written: generation, encoding or writing failed;
                            // for --check, the file to compare cannot be read
    kExitDifferent = 7,     // --check: the file differs from what is generated now
    kExitReservedName = 8,  // --strict: the text would write a name Oracle reserves;
                            // nothing written or compared
    kExitOutOfMemory = 9,   // memory ran out ("メモリが不足しています"), wherever it did
};

// Why a run stopped: its exit status, the message (the window's own where it has one) and
// the detail that goes with it (the driver's text, the file's reason).
class GenFailure : public std::runtime_error {
public:
    GenFailure(int status, const QString& text, const QString& detail = QString());
    int status() const { return status_; }
    const QString& text() const { return text_; }
    const QString& detail() const { return detail_; }

private:
    int status_;
    QString text_;
    QString detail_;
};

// What a run takes from and gives to its process; main() fills it from the real one.
struct GenToolContext {
    std::function<bool(const QByteArray&)> writeOut;        // standard output; false when it fails
    std::function<void(const QString&)> writeErr;           // standard error
    std::function<std::optional<QString>()> promptPassword; // nothing: no terminal to ask
    std::optional<QString> passwordVariable;                // TAMSEL_PASSWORD
    std::optional<QByteArray> sourceDateEpoch;              // SOURCE_DATE_EPOCH
    SessionEnvironment session;                             // where the demo database lives
    SettingsPlatform platform;                              // the settings store's fallbacks
    bool stderrIsTerminal = false; // retrieval progress is shown on standard error only then
    // Text for standard output is shown in the terminal's UTF-8 with LF then, unless -o or
    // --utf8 says otherwise.
    bool stdoutIsTerminal = false;
    bool stdoutIsOpen = true; // -o - has somewhere to write
    int standardInput = 0;    // the descriptor PROFILE "-" is read from; -1: closed
    // The process ends with the run: the tables read are left for the end of the process to
    // free, all at once, and not freed one text at a time (of 20,000 tables, 3 million texts).
    bool processEndsWithRun = false;
};

// The clock of header dates: the moment SOURCE_DATE_EPOCH names (seconds since
// 1970-01-01 UTC), shown in local time, when it is set; the system clock otherwise. The
// weekday names come from the locale either way. GenFailure (usage) for a value that is
// not a whole number of seconds.
std::unique_ptr<Clock> headerClock(const std::optional<QByteArray>& sourceDateEpoch);

// The verbs' actions, named by the verb table (cli/gen_verbs.cpp).
void writePackage(VerbRun& run);
void writeVbModule(VerbRun& run);
void writeTableStructure(VerbRun& run);
void writeTableList(VerbRun& run);
void writeSnapshot(VerbRun& run);

// Runs one command; reports on the context's standard error and returns the exit status.
int runGenTool(const CommandLine& line, GenToolContext& context);

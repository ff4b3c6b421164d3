// tamsel-gen: the generation of the main window without a window, from a profile, for
// scripts and build pipelines.

#include "cli/command_line.h"
#include "cli/gen_tool.h"
#include "cli/password_prompt.h"
#include "cli/standard_streams.h"
#include "cli/stderr_reporter.h"
#include "gen/gen_messages.h"
#include "util/app_info.h"
#include "util/install_paths.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

namespace {

StandardStreams standardStreams; // as the program was started
QByteArray outOfMemoryMessage;   // made before it is needed: then nothing may be allocated
std::terminate_handler otherUncaught = nullptr;

// Running out of memory ends the run at once, with the message and the status and nothing
// else: an output file is still untouched (as after a killed run, its temporary file may stay
// behind). Unwinding is not safe there: a container caught in the middle of growing may free
// what it no longer owns (Qt's hash tables do), and Qt's own code lets std::bad_alloc pass
// through frames that may not throw (its JSON parser does), which would end in an abort.
[[noreturn]] void endOutOfMemory() {
    writeStandardErrorDirectly(outOfMemoryMessage.constData(), size_t(outOfMemoryMessage.size()));
    std::_Exit(kExitOutOfMemory);
}

// An exception that escapes, or meets a frame that may not throw: out of memory ends as
// above, anything else as it would have.
[[noreturn]] void endUncaught() {
    if (const std::exception_ptr uncaught = std::current_exception()) {
        try {
            std::rethrow_exception(uncaught);
        } catch (const std::bad_alloc&) {
            endOutOfMemory();
        } catch (...) {
        }
    }
    if (otherUncaught)
        otherUncaught();
    std::abort();
}

bool writeStdout(const QByteArray& bytes) {
    if (!standardStreams.outputOpen)
        return false;
    const size_t written =
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return written == static_cast<size_t>(bytes.size()) && std::fflush(stdout) == 0;
}

void writeStderr(const QString& text) {
    writeStandardError(text);
}

std::optional<QByteArray> variable(const char* name) {
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

int run(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamsel-gen"));
    QCoreApplication::setApplicationVersion(GetFileVersionText());

    CommandLine line;
    try {
        line = parseCommandLine(QCoreApplication::arguments().mid(1));
    } catch (const UsageError& error) {
        writeStderr(toolMessage(error.message()));
        return kExitUsage;
    }
    if (line.help) {
        const QString text = line.verb
                                 ? verbHelpText(*line.verb)
                                 : helpText(readmePath(QCoreApplication::applicationDirPath()));
        return writeStdout(text.toUtf8()) ? kExitDone : kExitOutput;
    }
    if (line.version)
        return writeStdout(versionText().toUtf8()) ? kExitDone : kExitOutput;

    GenToolContext context;
    context.writeOut = writeStdout;
    context.writeErr = writeStderr;
    context.promptPassword = [] {
        return promptPassword(QStringLiteral("パスワード: "));
    };
    if (const std::optional<QByteArray> password = variable("TAMSEL_PASSWORD"))
        context.passwordVariable = QString::fromLocal8Bit(*password);
    context.sourceDateEpoch = variable("SOURCE_DATE_EPOCH");
    context.session = SessionEnvironment::forApplication();
    context.platform.applicationDir = QCoreApplication::applicationDirPath();
    context.stderrIsTerminal = standardErrorIsTerminal();
    context.stdoutIsTerminal = standardOutputIsTerminal();
    context.stdoutIsOpen = standardStreams.outputOpen;
    context.standardInput = standardStreams.inputOpen ? 0 : -1; // 0: standard input everywhere
    context.processEndsWithRun = true;
    return runGenTool(line, context);
}

} // namespace

int main(int argc, char** argv) {
    standardStreams = holdStandardStreams();
    outOfMemoryMessage = toolMessage(outOfMemoryText()).toUtf8();
    std::set_new_handler(endOutOfMemory);
    otherUncaught = std::set_terminate(endUncaught);
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) { // from a container that allocates without new
        endOutOfMemory();
    }
}

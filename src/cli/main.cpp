// tamsel-gen: the generation of the main window without a window, from a profile, for
// scripts and build pipelines.

#include "cli/command_line.h"
#include "cli/gen_tool.h"
#include "cli/password_prompt.h"
#include "cli/stderr_reporter.h"
#include "util/my_func.h"

#include <QCoreApplication>

#include <cstdio>

#include <unistd.h>

namespace {

bool writeStdout(const QByteArray& bytes) {
    const size_t written =
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return written == static_cast<size_t>(bytes.size()) && std::fflush(stdout) == 0;
}

void writeStderr(const QString& text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
}

std::optional<QByteArray> variable(const char* name) {
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

} // namespace

int main(int argc, char** argv) {
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
    if (line.command == GenCommand::Help)
        return writeStdout(helpText().toUtf8()) ? kExitDone : kExitOutput;
    if (line.command == GenCommand::Version)
        return writeStdout(QStringLiteral("tamsel-gen %1\n").arg(GetFileVersionText()).toUtf8())
                   ? kExitDone
                   : kExitOutput;

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
    context.stderrIsTerminal = isatty(STDERR_FILENO) == 1;
    return runGenTool(line, context);
}

#include "gen_process.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <stdexcept>

#include <sys/resource.h>

QMap<QString, QString> pinnedEnvironment() {
    return {
        {QStringLiteral("TZ"), QStringLiteral("Asia/Tokyo")},
        {QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8")},
        {QStringLiteral("SOURCE_DATE_EPOCH"), QString::fromLatin1(kPinnedEpoch)},
        {QStringLiteral("TAMSEL_PASSWORD"), QString()},
    };
}

namespace {

GenRun runProcess(const QStringList& arguments, const QMap<QString, QString>& env,
                  qint64 addressSpace, const QByteArray* input, const QString& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QMap<QString, QString> settings = pinnedEnvironment();
    settings.insert(env);
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        if (it.value().isNull())
            environment.remove(it.key());
        else
            environment.insert(it.key(), it.value());
    }

    QProcess process;
    process.setProcessEnvironment(environment);
    if (!input)
        process.setStandardInputFile(QProcess::nullDevice());
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    if (addressSpace > 0)
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            setrlimit(RLIMIT_AS, &limit);
        });
    process.start(QStringLiteral(TAMSEL_GEN_PATH), arguments);
    if (input) {
        process.write(*input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error("tamsel-gen did not finish: " +
                                 process.errorString().toStdString());
    GenRun run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

GenRun runGen(const QStringList& arguments, const QMap<QString, QString>& env,
              qint64 addressSpace) {
    return runProcess(arguments, env, addressSpace, nullptr, QString());
}

GenRun runGenWithInput(const QStringList& arguments, const QByteArray& input,
                       const QString& folder) {
    return runProcess(arguments, {}, 0, &input, folder);
}

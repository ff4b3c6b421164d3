#include "cli/stderr_reporter.h"

#include <QStringList>

StderrReporter::StderrReporter(std::function<void(const QString&)> write)
    : write_(std::move(write)) {}

MessageAnswer StderrReporter::report(const QString& /*caption*/, MessageIcon icon,
                                     MessageButtons buttons, const QString& text) {
    if (icon == MessageIcon::Error)
        ++errorCount_;
    write_(toolMessage(text));
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

QString toolMessage(const QString& text, const QString& detail) {
    QString message = QStringLiteral("tamsel-gen: ") + text + QLatin1Char('\n');
    const QStringList lines = detail.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines)
        message += QStringLiteral("  ") + line.trimmed() + QLatin1Char('\n');
    return message;
}

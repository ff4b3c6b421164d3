#include "ui/save_dialog.h"

#include "ui/seams.h"

bool SaveDialog::Execute(QWidget* parent) {
    const std::optional<QString> chosen = chooseSaveFile(parent, *this);
    if (!chosen)
        return false;
    FileName = *chosen;
    return true;
}

QStringList nameFiltersOf(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& patterns = parts[i + 1];
        QStringList qtPatterns;
        for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            qtPatterns.append(pattern.trimmed() == u"*.*" ? QStringLiteral("*")
                                                          : pattern.trimmed());
        const QString shown =
            QLatin1Char('(') + qtPatterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        // The description names its patterns already; show the ones that apply here.
        const QString named = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (description.endsWith(named))
            result.append(description.left(description.size() - named.size()) + shown);
        else
            result.append(description + QLatin1Char(' ') + shown);
    }
    return result;
}

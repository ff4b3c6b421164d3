#include "ui/save_dialog.h"

#include "ui/seams.h"

#include <QFileInfo>

bool SaveDialog::Execute(QWidget* parent) {
    const std::optional<QString> chosen = chooseSaveFile(parent, *this);
    if (!chosen)
        return false;
    FileName = *chosen;
    return true;
}

namespace {

// The extension a filter's first pattern names: "sql" for "*.sql", none for "*.*", "*"
// or a pattern with wildcards after its point.
QString patternExtension(const QString& patterns) {
    const QString first = patterns.section(QLatin1Char(';'), 0, 0).trimmed();
    if (!first.startsWith(QLatin1String("*.")))
        return {};
    const QString extension = first.mid(2);
    for (const QChar wildcard : {u'*', u'?', u'['})
        if (extension.contains(wildcard))
            return {};
    return extension;
}

} // namespace

QString SaveLocation::initialFolder(const QString& currentDefault) const {
    if (folder.isEmpty() || defaultFolder != currentDefault || !QFileInfo(folder).isDir())
        return currentDefault;
    return folder;
}

void SaveLocation::remember(const QString& path, const QString& currentDefault) {
    const QFileInfo file(path);
    *this = {file.absolutePath(), file.fileName(), currentDefault};
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

QString filterPatternsAt(const QString& filter, qsizetype index) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    return index >= 0 && 2 * index + 1 < parts.size() ? parts[2 * index + 1] : QString();
}

QString savedFilePath(const QString& path, const QString& patterns, const QString& defaultExt) {
    const QString name = QFileInfo(path).fileName();
    if (name.endsWith(QLatin1Char('.')))
        return path.chopped(1);
    if (name.contains(QLatin1Char('.')))
        return path;
    QString extension = patternExtension(patterns);
    if (extension.isEmpty())
        extension = defaultExt.startsWith(QLatin1Char('.')) ? defaultExt.mid(1) : defaultExt;
    return extension.isEmpty() ? path : path + QLatin1Char('.') + extension;
}

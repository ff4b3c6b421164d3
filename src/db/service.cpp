#include "db/service.h"

#include "db/db_error.h"
#include "db/odbc.h"
#include "db/sqlite_dictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString joinPath(const QString& dir, const QString& name) {
    return dir.endsWith(u'/') ? dir + name : dir + u'/' + name;
}

// Walks the components from dir. A component that exists as typed is taken as it is;
// otherwise every entry that equals it without regard to case is followed, so a path
// typed in upper case still finds a file named in lower or mixed case.
void collectSqliteFiles(const QString& dir, const QStringList& components, qsizetype index,
                        QStringList& found) {
    if (index == components.size()) {
        if (isSqliteFile(dir))
            found.append(dir);
        return;
    }
    const QString& component = components[index];
    const QString exact = joinPath(dir, component);
    if (QFileInfo::exists(exact)) {
        collectSqliteFiles(exact, components, index + 1, found);
        return;
    }
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            collectSqliteFiles(joinPath(dir, entry), components, index + 1, found);
}

std::optional<QString> findDataSource(const QString& service, const QStringList& names) {
    if (names.contains(service))
        return service;
    QStringList matches;
    for (const QString& name : names)
        if (name.compare(service, Qt::CaseInsensitive) == 0)
            matches.append(name);
    if (matches.size() > 1)
        throw DbError(
            QStringLiteral("ODBC データソース %1 は大文字・小文字だけが違う名前が複数あります"
                           "（%2）。どちらかの名前を変えてください")
                .arg(service, matches.join(QStringLiteral("、"))));
    if (matches.isEmpty())
        return std::nullopt;
    return matches.first();
}

} // namespace

std::optional<QString> findSqliteFile(const QString& path, const QString& baseDir) {
    if (path.isEmpty())
        return std::nullopt;
    const bool absolute = QDir::isAbsolutePath(path);
    if (!absolute && baseDir.isEmpty())
        return std::nullopt;
    const QString start = absolute ? QDir::rootPath() : baseDir;
    const QStringList components = QDir::cleanPath(path).split(u'/', Qt::SkipEmptyParts);
    if (components.isEmpty())
        return std::nullopt;
    QStringList found;
    collectSqliteFiles(start, components, 0, found);
    if (found.size() > 1)
        throw DbError(
            QStringLiteral("%1 に当たるファイルが複数あります（%2）。"
                           "大文字・小文字だけが違うファイルまたはフォルダを区別できません")
                .arg(path, found.join(QStringLiteral("、"))));
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

ServiceTarget resolveService(const QString& service, const SessionEnvironment& environment,
                             const std::function<QStringList()>& dataSourceNames) {
    if (service.isEmpty())
        throw DbError(QStringLiteral("サービスが指定されていません"));
    if (service.compare(demoServiceName(), Qt::CaseInsensitive) == 0)
        return {ServiceKind::Demo, {}};

    if (QDir::isAbsolutePath(service)) {
        if (auto file = findSqliteFile(service, {}))
            return {ServiceKind::SqliteFile, *file};
    } else {
        for (const QString& base : {environment.applicationDir, QDir::currentPath()})
            if (auto file = findSqliteFile(service, base))
                return {ServiceKind::SqliteFile, *file};
    }

    if (service.contains(u'='))
        return {ServiceKind::OdbcConnectionString, service};

    if (auto name = findDataSource(service, dataSourceNames()))
        return {ServiceKind::OdbcDataSource, QStringLiteral("DSN=") + *name};

    throw DbError(QStringLiteral("サービス %1 が見つかりません。DEMO、SQLite ファイルのパス、"
                                 "ODBC データソース名または ODBC 接続文字列を指定してください")
                      .arg(service));
}

ServiceTarget resolveService(const QString& service, const SessionEnvironment& environment) {
    return resolveService(service, environment, &odbcDataSourceNames);
}

LogonCredentials splitConnectString(const QString& connect) {
    const qsizetype slash = connect.indexOf(u'/');
    if (slash < 0)
        return {connect, {}};
    return {connect.left(slash), connect.mid(slash + 1)};
}

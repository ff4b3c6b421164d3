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

using FileTest = bool (*)(const QString& path);

// Walks the components from dir. A component that exists as typed is taken as it is;
// otherwise every entry that equals it without regard to case is followed, so a path
// typed in upper case still finds a file named in lower or mixed case.
void collectFiles(const QString& dir, const QStringList& components, qsizetype index,
                  FileTest accepts, QStringList& found) {
    if (index == components.size()) {
        if (accepts(dir))
            found.append(dir);
        return;
    }
    const QString& component = components[index];
    const QString exact = joinPath(dir, component);
    if (QFileInfo::exists(exact)) {
        collectFiles(exact, components, index + 1, accepts, found);
        return;
    }
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(component, Qt::CaseInsensitive) == 0)
            collectFiles(joinPath(dir, entry), components, index + 1, accepts, found);
}

// The folder an absolute path starts from: "/", or the drive a Windows path names ("Z:/"),
// which is part of the path and not a component to look for.
QString rootOf(QString& cleanAbsolutePath) {
    if (cleanAbsolutePath.size() >= 2 && cleanAbsolutePath[0].isLetter() &&
        cleanAbsolutePath[1] == u':') {
        const QString drive = cleanAbsolutePath.first(2) + u'/';
        cleanAbsolutePath.remove(0, 2);
        return drive;
    }
    return QDir::rootPath();
}

// The files the path names as collectFiles finds them; a relative path from baseDir.
QStringList findFiles(const QString& path, const QString& baseDir, FileTest accepts) {
    const bool absolute = QDir::isAbsolutePath(path);
    if (path.isEmpty() || (!absolute && baseDir.isEmpty()))
        return {};
    QString clean = QDir::cleanPath(path);
    const QString start = absolute ? rootOf(clean) : baseDir;
    const QStringList components = clean.split(u'/', Qt::SkipEmptyParts);
    QStringList found;
    if (!components.isEmpty())
        collectFiles(start, components, 0, accepts, found);
    return found;
}

// The folders a service text is taken from when it is a relative path.
QStringList serviceBaseDirs(const QString& service, const SessionEnvironment& environment) {
    if (QDir::isAbsolutePath(service))
        return {QString()};
    return {environment.applicationDir, QDir::currentPath()};
}

bool isRegularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

// A service text that names a file, but no SQLite file and nothing else: the message says
// what the file is rather than that nothing was found.
void refuseFileThatIsNoDatabase(const QString& service, const SessionEnvironment& environment) {
    for (const QString& base : serviceBaseDirs(service, environment)) {
        const QStringList files = findFiles(service, base, &isRegularFile);
        if (files.isEmpty())
            continue;
        const QString& file = files.first();
        throw DbError(
            QFileInfo(file).size() == 0
                ? QStringLiteral(
                      "ファイル %1 は空（0 バイト）で、SQLite データベースではありません")
                      .arg(file)
                : QStringLiteral("ファイル %1 はありますが、SQLite データベースではありません")
                      .arg(file));
    }
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
    const QStringList found = findFiles(path, baseDir, &isSqliteFile);
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

    for (const QString& base : serviceBaseDirs(service, environment))
        if (auto file = findSqliteFile(service, base))
            return {ServiceKind::SqliteFile, *file};

    if (service.contains(u'='))
        return {ServiceKind::OdbcConnectionString, service};

    if (auto name = findDataSource(service, dataSourceNames()))
        return {ServiceKind::OdbcDataSource, QStringLiteral("DSN=") + *name};

    refuseFileThatIsNoDatabase(service, environment);
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

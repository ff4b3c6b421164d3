#include "db/demo_database.h"

#include "db/qt_sql_backend.h"
#include "db/sqlite_dictionary.h"
#include "util/input_file.h"
#include "util/install_paths.h"
#include "util/safe_file.h"
#include "util/system_error.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cerrno>
#include <mutex>

// The resource lives in tamsel_core, a static library: registering it by hand keeps the
// linker from dropping it. Outside any namespace, as the macro needs.
static void initDemoResource() {
    Q_INIT_RESOURCE(demo);
}

namespace {

// SQLite keeps a free 32-bit "user version" in the file header (offset 60, big-endian);
// the demo file carries a digest of the script there, so a changed script rebuilds it.
constexpr qint64 kUserVersionOffset = 60;

// The built demo file is some tens of kilobytes.
constexpr qint64 kMaxDemoBytes = 16 << 20;

quint32 scriptStamp(const QString& script) {
    const QByteArray digest = QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha1);
    const quint32 stamp = qFromBigEndian<quint32>(digest.constData()) & 0x7fffffffu;
    return stamp == 0 ? 1 : stamp;
}

bool isCurrentDemoFile(const QString& path, quint32 stamp) {
    if (!isSqliteFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(100);
    return header.size() == 100 &&
           qFromBigEndian<quint32>(header.constData() + kUserVersionOffset) == stamp;
}

QByteArray buildDemoDatabase(const QString& script, quint32 stamp) {
    QTemporaryDir folder;
    if (!folder.isValid()) // errno still holds the failed call's reason
        throw DbError(QStringLiteral("一時フォルダを作れません：%1").arg(systemErrorText(errno)));
    const QString path = folder.filePath(demoDatabaseFileName());
    {
        QtSqlBackend backend(QStringLiteral("QSQLITE"));
        backend.connection().setDatabaseName(path);
        backend.open();
        backend.execute(QStringLiteral("BEGIN"));
        for (const QString& statement : splitSqlStatements(script))
            backend.execute(statement);
        backend.execute(QStringLiteral("PRAGMA user_version = %1").arg(stamp));
        backend.execute(QStringLiteral("COMMIT"));
    }
    try {
        return readInputFile(path, kMaxDemoBytes);
    } catch (const InputFileError& error) {
        throw DbError(QStringLiteral("%1 を読めません：%2").arg(path, error.reason()));
    }
}

} // namespace

QString demoDatabaseScript() {
    static std::once_flag registered;
    std::call_once(registered, initDemoResource);
    QFile file(QStringLiteral(":/tamsel/demo.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("デモデータベースの定義がプログラムに含まれていません"));
    return QString::fromUtf8(file.readAll());
}

QStringList splitSqlStatements(const QString& script) {
    QStringList statements;
    QString current;
    QChar quote; // the quote character while inside a quoted text or name
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            current += c;
        } else if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? script.size() : end;
            current += u'\n';
        } else if (c == u';') {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

QString ensureDemoDatabase(const SessionEnvironment& environment) {
    const QString script = demoDatabaseScript();
    const quint32 stamp = scriptStamp(script);
    QStringList folders;
    // An installed program keeps the file in the cache only (util/install_paths.h).
    const QString beside =
        isInstalledLayout(environment.applicationDir) ? QString() : environment.applicationDir;
    for (const QString& folder : {beside, environment.cacheDir})
        if (!folder.isEmpty())
            folders.append(folder);

    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(demoDatabaseFileName());
        if (isCurrentDemoFile(path, stamp))
            return path;
    }

    const QByteArray bytes = buildDemoDatabase(script, stamp);
    QStringList failures;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(demoDatabaseFileName());
        try {
            QDir().mkpath(folder);
            writeFileSafely(path, bytes);
            return path;
        } catch (const FileWriteError& error) {
            failures.append(error.message());
        }
    }
    throw DbError(QStringLiteral("デモデータベースを書き込める場所がありません：%1")
                      .arg(failures.isEmpty() ? QStringLiteral("書き込み先のフォルダが未定です")
                                              : failures.join(QStringLiteral("、"))));
}

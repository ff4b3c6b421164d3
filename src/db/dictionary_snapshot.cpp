#include "db/dictionary_snapshot.h"

#include "db/qt_sql_backend.h"
#include "util/platform/user_account.h"
#include "util/safe_file.h"
#include "util/system_error.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <optional>

namespace {

const QString kScratchPrefix = QStringLiteral("tamsel-snapshot-");
// A build at work changes its file all the time; a scratch folder unchanged for an hour was
// left by a process that was killed or interrupted.
constexpr qint64 kStaleScratchSeconds = 60 * 60;

void removeStaleScratchFolders(const QString& tempPath) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QFileInfo& folder :
         QDir(tempPath).entryInfoList({kScratchPrefix + u'*'}, QDir::Dirs | QDir::NoSymLinks)) {
        const QFileInfo file(folder.filePath() + QStringLiteral("/snapshot.sqlite"));
        const QDateTime changed = file.exists() ? file.lastModified() : folder.lastModified();
        if (isOwnedByCurrentUser(folder) && changed.toUTC().secsTo(now) > kStaleScratchSeconds)
            QDir(folder.filePath()).removeRecursively();
    }
}

QVariant nullable(const std::optional<QString>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<QString>());
}

// The snapshot file being built, aside from the target: a failure of its own is a failure to
// write the target.
class SnapshotBuild {
public:
    SnapshotBuild(const QString& buildPath, const QString& targetPath)
        : buildPath_(buildPath), targetPath_(targetPath) {
        onFile([&] {
            backend_.emplace(QStringLiteral("QSQLITE"));
            backend_->connection().setDatabaseName(buildPath_);
            backend_->open();
        });
    }

    void execute(const QString& sql) {
        onFile([&] { backend_->execute(sql); });
    }

    QSqlQuery prepared(const QString& sql) {
        QSqlQuery query(backend_->connection());
        if (!query.prepare(sql))
            fail(backend_->failureText(query.lastError()));
        return query;
    }

    void run(QSqlQuery& query) {
        if (!query.exec())
            fail(backend_->failureText(query.lastError()));
    }

    void close() { backend_->close(); }

private:
    template <typename Step> void onFile(Step&& step) {
        try {
            step();
        } catch (const DbError& error) {
            fail(error.message());
        }
    }

    [[noreturn]] void fail(const QString& reason) const {
        throw FileWriteError(targetPath_,
                             QStringLiteral("作業用ファイル %1：%2").arg(buildPath_, reason));
    }

    QString buildPath_;
    QString targetPath_;
    std::optional<QtSqlBackend> backend_;
};

// Builds the snapshot in a SQLite file of its own at buildPath.
RetrievalEnd buildSnapshot(Database& source, const QStringList& tableList,
                           const QList<qsizetype>& selection, const QString& buildPath,
                           const QString& targetPath, const RetrievalProgress& progress) {
    SnapshotBuild snapshot(buildPath, targetPath);
    // The file is a scratch copy until the safe writer writes it out: no journal needed.
    snapshot.execute(QStringLiteral("PRAGMA journal_mode = OFF"));
    snapshot.execute(QStringLiteral("PRAGMA synchronous = OFF"));
    // USER_TABLES keeps rowids in insertion order, and no index on it: the table-list query
    // has no ORDER BY, and a table scan gives the rows back in that order.
    snapshot.execute(QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME TEXT NOT NULL)"));
    snapshot.execute(QStringLiteral(
        "CREATE TABLE COL (TNAME TEXT NOT NULL, COLNO INTEGER NOT NULL, CNAME TEXT, "
        "COLTYPE TEXT, WIDTH INTEGER, SCALE INTEGER, PRECISION INTEGER, NULLS TEXT)"));
    snapshot.execute(QStringLiteral("BEGIN"));

    RetrievalEnd end = RetrievalEnd::Complete;
    {
        QSqlQuery table =
            snapshot.prepared(QStringLiteral("INSERT INTO USER_TABLES (TABLE_NAME) VALUES (?)"));
        QSqlQuery column = snapshot.prepared(
            QStringLiteral("INSERT INTO COL (TNAME, COLNO, CNAME, COLTYPE, WIDTH, SCALE, "
                           "PRECISION, NULLS) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        // A name the list holds twice is listed twice, but its columns are written once: the
        // column query of that name gives them once.
        QSet<QString> written;
        const Database::ReadTransaction reading(source);
        end = retrieveSelected(tableList, selection, progress, [&](qsizetype, const QString& name) {
            table.bindValue(0, name);
            snapshot.run(table);
            if (written.contains(name))
                return;
            written.insert(name);
            const QList<DictionaryColumnRow> rows = readColumnRows(source, name);
            for (qsizetype j = 0; j < rows.size(); ++j) {
                const DictionaryColumnRow& row = rows[j];
                column.bindValue(0, name);
                column.bindValue(1, qint64(j + 1));
                column.bindValue(2, nullable(row.CNAME));
                column.bindValue(3, nullable(row.COLTYPE));
                column.bindValue(4, nullable(row.WIDTH));
                column.bindValue(5, nullable(row.SCALE));
                column.bindValue(6, nullable(row.PRECISION));
                column.bindValue(7, nullable(row.NULLS));
                snapshot.run(column);
            }
        });
    }
    if (end == RetrievalEnd::Aborted)
        return end;
    snapshot.execute(QStringLiteral("CREATE INDEX COL_TNAME_COLNO ON COL (TNAME, COLNO)"));
    snapshot.execute(QStringLiteral("COMMIT"));
    snapshot.close();
    return end;
}

} // namespace

RetrievalEnd writeDictionarySnapshot(Database& source, const QStringList& tableList,
                                     const QList<qsizetype>& selection, const QString& path,
                                     const RetrievalProgress& progress) {
    removeStaleScratchFolders(QDir::tempPath());
    QTemporaryDir scratch(
        QDir(QDir::tempPath()).filePath(kScratchPrefix + QStringLiteral("XXXXXX")));
    if (!scratch.isValid()) // errno still holds the failed call's reason
        throw FileWriteError(
            path,
            QStringLiteral("作業用の一時フォルダを作れません：%1").arg(systemErrorText(errno)));
    const QString buildPath = scratch.filePath(QStringLiteral("snapshot.sqlite"));
    if (buildSnapshot(source, tableList, selection, buildPath, path, progress) ==
        RetrievalEnd::Aborted)
        return RetrievalEnd::Aborted;

    // Copied block by block: a snapshot of many thousand tables is never held in memory.
    QFile built(buildPath);
    SafeFileWriter file(path);
    int readError = 0; // errno right after the failed call, the reason in the table's words
    if (built.open(QIODevice::ReadOnly)) {
        constexpr qint64 kBlock = 1 << 20;
        for (QByteArray block; !(block = built.read(kBlock)).isEmpty();)
            file.append(block);
        if (built.error() != QFileDevice::NoError)
            readError = errno;
    } else {
        readError = errno;
    }
    if (!built.isOpen() || built.error() != QFileDevice::NoError)
        throw FileWriteError(path, QStringLiteral("作業用ファイル %1 を読めません：%2")
                                       .arg(buildPath, systemErrorText(readError)));
    file.commit();
    return RetrievalEnd::Complete;
}

#include "sqlite_files.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

#include <sys/mount.h>
#include <unistd.h>

void createSqliteFile(const QString& path, const QStringList& statements) {
    const OpenSqliteFile file(path, statements);
}

OpenSqliteFile::OpenSqliteFile(const QString& path, const QStringList& statements)
    : name_(QStringLiteral("test-writer-") + path) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    database.setDatabaseName(path);
    QString failure = database.open() ? QString() : database.lastError().text();
    if (failure.isEmpty()) {
        QSqlQuery query(database);
        for (qsizetype i = 0; failure.isEmpty() && i < statements.size(); ++i)
            if (!query.exec(statements[i]))
                failure = statements[i] + QStringLiteral(": ") + query.lastError().text();
    }
    if (!failure.isEmpty()) {
        database = QSqlDatabase();
        close();
        throw std::runtime_error(failure.toStdString());
    }
}

OpenSqliteFile::~OpenSqliteFile() {
    close();
}

void OpenSqliteFile::close() {
    if (name_.isEmpty())
        return;
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
    name_.clear();
}

ReadOnlyBind::ReadOnlyBind(const QString& folder, const QString& mountPoint) {
    const QByteArray source = QFile::encodeName(folder);
    const QByteArray target = QFile::encodeName(mountPoint);
    if (geteuid() != 0 || mount(source.constData(), target.constData(), nullptr, MS_BIND, nullptr))
        return;
    mountPoint_ = target;
    // A bind mount takes "read-only" only when it is mounted again.
    if (mount(nullptr, target.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr)) {
        umount2(target.constData(), MNT_DETACH);
        mountPoint_.clear();
    }
}

ReadOnlyBind::~ReadOnlyBind() {
    if (mounted())
        umount2(mountPoint_.constData(), MNT_DETACH);
}

QStringList snapshotSchema() {
    return {
        QStringLiteral("CREATE TABLE USER_TABLES (TABLE_NAME VARCHAR2(30))"),
        QStringLiteral("CREATE TABLE COL (TNAME VARCHAR2(30), COLNO NUMBER, CNAME VARCHAR2(30), "
                       "COLTYPE VARCHAR2(30), WIDTH NUMBER, SCALE NUMBER, PRECISION NUMBER, "
                       "NULLS VARCHAR2(8))")};
}

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes a SQLite file by running the statements on a fresh file (outside the layer under
// test). QFAILs are not possible here, so a failing statement throws std::runtime_error.
void createSqliteFile(const QString& path, const QStringList& statements);

// Another program's connection to a SQLite file, open from the statements it ran until the
// object goes (outside the layer under test; throws std::runtime_error like the above).
class OpenSqliteFile {
public:
    OpenSqliteFile(const QString& path, const QStringList& statements);
    ~OpenSqliteFile();
    OpenSqliteFile(const OpenSqliteFile&) = delete;
    OpenSqliteFile& operator=(const OpenSqliteFile&) = delete;

private:
    void close();
    QString name_;
};

// A read-only bind mount of a folder, for one test, unmounted on every way out. Only root
// may mount: mounted() is false otherwise, and tests skip.
class ReadOnlyBind {
public:
    ReadOnlyBind(const QString& folder, const QString& mountPoint);
    ~ReadOnlyBind();
    bool mounted() const { return !mountPoint_.isEmpty(); }

private:
    QByteArray mountPoint_;
};

// The statements of a dictionary snapshot: tables USER_TABLES and COL as exported from
// Oracle, no rows yet.
QStringList snapshotSchema();

#pragma once

#include <QString>
#include <QStringList>

// Writes a SQLite file by running the statements on a fresh file (outside the layer under
// test). QFAILs are not possible here, so a failing statement throws std::runtime_error.
void createSqliteFile(const QString& path, const QStringList& statements);

// The statements of a dictionary snapshot: tables USER_TABLES and COL as exported from
// Oracle, no rows yet.
QStringList snapshotSchema();

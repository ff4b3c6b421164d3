#pragma once

#include <QString>
#include <QStringList>

// Writes a SQLite file by running the statements on a fresh file (outside the layer under
// test). QFAILs are not possible here, so a failing statement throws std::runtime_error.
void createSqliteFile(const QString& path, const QStringList& statements);

// The statements of a dictionary snapshot: tables USER_TABLES and COL as exported from
// Oracle, no rows yet.
QStringList snapshotSchema();

#include "db/sqlite_dictionary.h"

// Everything the program reads from a SQLite file through one reader, a line each, to hold
// against another reader: the opening's failure, or the table list, every table's column
// rows as the dictionary gives them (each value or NULL), every table read as retrieval
// reads it, and the whole retrieval; each with its failure where it fails.
QStringList readingOf(const QString& path, SqliteReader reader, SqliteBudget budget = {});

#pragma once

#include "db/database.h"
#include "db/dictionary.h"

#include <QList>
#include <QString>
#include <QStringList>

// A dictionary snapshot: a SQLite file with USER_TABLES(TABLE_NAME) and COL(TNAME, COLNO,
// CNAME, COLTYPE, WIDTH, SCALE, PRECISION, NULLS), which the session opens as a service
// and reads with the same two queries as the database it was taken from. Whoever has no
// database client can generate from it what the database gives.

// Reads the tables at the selected positions of tableList (ascending) from source through
// the column query, one table after the other with retrieval's loop and progress, and
// writes their snapshot to path: USER_TABLES in table-list order, each table's column rows
// as the query gave them (a NULL stays NULL, COLNO counts them from 1) and an index on
// COL(TNAME, COLNO). The file is built aside, in a scratch folder of the system's temporary
// folder, and then written through the safe writer, so a failure or an abort leaves no file
// and an existing one as it was. Scratch folders that a killed run left there over an hour
// ago are removed. DbError when the
// source cannot be read; FileWriteError when the file cannot be built or written.
RetrievalEnd writeDictionarySnapshot(Database& source, const QStringList& tableList,
                                     const QList<qsizetype>& selection, const QString& path,
                                     const RetrievalProgress& progress = {});

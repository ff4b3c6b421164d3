#pragma once

#include "db/database.h"
#include "model/generation_model.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The two dictionary queries and the reading of their rows, shared by the main window and
// the headless tool. Nothing here touches a widget.

// The options value every dynaset of the retrieval is created with.
inline constexpr int kDynasetOptions = 4;

// The table-list query: the tables of the logged-on user, in the database's order.
QString tableListQuery();

// The column query of one table. Each single quote of the name is doubled, so a table
// named O'NEIL is read like any other.
QString columnQuery(const QString& tableName);

// Runs the table-list query and hands each TABLE_NAME to append as it is read, so a caller
// keeps the names added before an error. Returns the record count (TableCount).
// DbError from the query or from a NULL name.
qint32 readTableList(Database& database, const std::function<void(const QString&)>& append);

// The longest table or column name a retrieval takes, counted as names are aligned (Shift-JIS
// bytes, a character code page 932 cannot hold counting one): Oracle's own limit.
inline constexpr qint32 kMaxNameLength = 128;

// Reads one table's columns into a new record, as column retrieval creates it:
// TTableSettings::startRetrieval(tableName) with one column appended per
// row, in column-number order. The size text of a column whose type text is exactly
// "NUMBER" is precision "." scale, else the width; a NULL precision or scale reads as
// unknown and leaves that size text empty. Any other NULL, or a query error, throws
// DbError and nothing is returned; so does a text that generated code cannot carry (an
// empty table name, the name of the table or of a column longer than kMaxNameLength, or any
// text read holding a control character, below U+0020 or U+007F), before the table is
// queried when it is the table's name.
TTableSettings readTableColumns(Database& database, const QString& tableName);

// One row of a table's column query as the dictionary gave it: each value's text, or
// nothing for a NULL.
struct DictionaryColumnRow {
    std::optional<QString> CNAME, COLTYPE, WIDTH, PRECISION, SCALE, NULLS;
};

// Runs one table's column query and returns its rows untouched, in column-number order.
// DbError from the query.
QList<DictionaryColumnRow> readColumnRows(Database& database, const QString& tableName);

// What column retrieval asks and tells its caller as it goes.
struct RetrievalProgress {
    // Polled at every table-list position before its table is read; true stops the
    // retrieval there. The window lets pending events through here, so its abort button
    // works between two tables, never in the middle of one. Empty: never stops.
    std::function<bool()> abortRequested;
    // Candidate index's record was appended to the model (the window adds its row and
    // steps the progress bar). Empty: nothing to tell.
    std::function<void(qsizetype index, const QString& tableName)> tableRead;
};

enum class RetrievalEnd { Complete, Aborted };

// The retrieval loop: walks the positions of tableList, polling progress.abortRequested
// before each, and hands every selected one (selection ascending) to read with its
// candidate index, then tells progress.tableRead. What read throws ends the loop.
RetrievalEnd
retrieveSelected(const QStringList& tableList, const QList<qsizetype>& selection,
                 const RetrievalProgress& progress,
                 const std::function<void(qsizetype index, const QString& name)>& read);

// Column retrieval: the tables at the selected positions of tableList (ascending), one
// column query each, in table-list order, appended to model's candidate list (which the
// caller has emptied) with MaxTableNameLength counted from 0. A query error or an unreadable value
// throws (DbError, or std::bad_alloc) with the records read so far left in the model; an abort
// returns Aborted likewise. Either way the caller empties the model: there is no partial result.
RetrievalEnd retrieveColumns(Database& database, const QStringList& tableList,
                             const QList<qsizetype>& selection, GenerationModel& model,
                             const RetrievalProgress& progress = {});

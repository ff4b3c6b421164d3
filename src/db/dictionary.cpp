#include "db/dictionary.h"

#include "settings/setting_rules.h"

#include <optional>

namespace {

// Why generated code cannot carry a text read from the dictionary, worded to follow what
// the text is ("名前", a field): a line break would end a line of it, and a comment with it,
// wherever the text goes; any other control character has no place there either; a name
// longer than Oracle allows pads every aligned line to its length. Nothing for a safe text,
// nearly every one, at the cost of one pass over it and no allocation.
std::optional<QString> unsafeTextReason(const QString& text, bool isName) {
    if (const auto control = firstControlCharacter(text))
        return u'に' + controlCharacterText(*control);
    const qint32 length = isName ? nameLength(text) : 0;
    if (length > kMaxNameLength)
        return QStringLiteral("が %1 バイトあります（%2 バイトまで）")
            .arg(length)
            .arg(kMaxNameLength);
    return std::nullopt;
}

void checkTableName(const QString& tableName) {
    // Every generated name is built on it: an empty one leaves a prefix standing alone.
    if (tableName.isEmpty())
        throw DbError(QStringLiteral("名前が空のテーブルがあります"));
    if (const auto reason = unsafeTextReason(tableName, true))
        throw DbError(QStringLiteral("テーブル %1 の名前%2").arg(shownName(tableName), *reason));
}

void checkColumnName(const QString& tableName, const QString& columnName) {
    if (const auto reason = unsafeTextReason(columnName, true))
        throw DbError(QStringLiteral("テーブル %1 の列 %2 の名前%3")
                          .arg(shownName(tableName), shownName(columnName), *reason));
}

// field: the dictionary column the text came from.
void checkColumnText(const QString& tableName, const QString& columnName, const QString& field,
                     const QString& text) {
    if (const auto reason = unsafeTextReason(text, false))
        throw DbError(QStringLiteral("テーブル %1 の列 %2 の %3 %4")
                          .arg(shownName(tableName), shownName(columnName), field, *reason));
}

} // namespace

QString tableListQuery() {
    return QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES");
}

QString columnQuery(const QString& tableName) {
    QString quoted = tableName;
    quoted.replace(QStringLiteral("'"), QStringLiteral("''"));
    return QStringLiteral("SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL") +
           QStringLiteral(" WHERE TNAME = '") + quoted + QStringLiteral("'") +
           QStringLiteral(" ORDER BY COLNO");
}

qint32 readTableList(Database& database, const std::function<void(const QString&)>& append) {
    const std::unique_ptr<Dynaset> tables =
        database.dbCreateDynaset(tableListQuery(), kDynasetOptions);
    const qint32 count = tables->RecordCount();
    for (qint32 row = 0; row < count; ++row) {
        append(tables->Fields(QStringLiteral("TABLE_NAME")).Value());
        tables->MoveNext();
    }
    return count;
}

TTableSettings readTableColumns(Database& database, const QString& tableName) {
    checkTableName(tableName);
    TTableSettings table = TTableSettings::startRetrieval(tableName);
    const std::unique_ptr<Dynaset> columns =
        database.dbCreateDynaset(columnQuery(tableName), kDynasetOptions);
    const qint32 count = columns->RecordCount();
    for (qint32 row = 0; row < count; ++row) {
        const QString name = columns->Fields(QStringLiteral("CNAME")).Value();
        checkColumnName(tableName, name);
        // Each text checked as it is read, before it is used.
        const auto checked = [&](const QString& field, QString value) {
            checkColumnText(tableName, name, field, value);
            return value;
        };
        const auto text = [&](const QString& field) {
            return checked(field, columns->Fields(field).Value());
        };
        const QString type = text(QStringLiteral("COLTYPE"));
        QString size;
        if (type == u"NUMBER") {
            // A NUMBER declared without precision (plain NUMBER, INTEGER) has a NULL
            // precision or scale; its size is unknown, which is no reason to fail the list.
            const Field precision = columns->Fields(QStringLiteral("PRECISION"));
            const Field scale = columns->Fields(QStringLiteral("SCALE"));
            if (!precision.IsNull() && !scale.IsNull())
                size = checked(QStringLiteral("PRECISION"), precision.Value()) + u'.' +
                       checked(QStringLiteral("SCALE"), scale.Value());
        } else {
            size = text(QStringLiteral("WIDTH"));
        }
        const QString nulls = text(QStringLiteral("NULLS"));
        table.appendColumn(name, type, size, nulls);
        columns->MoveNext();
    }
    return table;
}

QList<DictionaryColumnRow> readColumnRows(Database& database, const QString& tableName) {
    const std::unique_ptr<Dynaset> columns =
        database.dbCreateDynaset(columnQuery(tableName), kDynasetOptions);
    const auto value = [&columns](const char* name) -> std::optional<QString> {
        const Field field = columns->Fields(QLatin1String(name));
        return field.IsNull() ? std::nullopt : std::optional<QString>(field.Value());
    };
    QList<DictionaryColumnRow> rows;
    const qint32 count = columns->RecordCount();
    rows.reserve(count);
    for (qint32 row = 0; row < count; ++row) {
        rows.append({value("CNAME"), value("COLTYPE"), value("WIDTH"), value("PRECISION"),
                     value("SCALE"), value("NULLS")});
        columns->MoveNext();
    }
    return rows;
}

RetrievalEnd retrieveSelected(const QStringList& tableList, const QList<qsizetype>& selection,
                              const RetrievalProgress& progress,
                              const std::function<void(qsizetype, const QString&)>& read) {
    qsizetype next = 0; // the next entry of selection
    for (qsizetype position = 0; position < tableList.size(); ++position) {
        if (progress.abortRequested && progress.abortRequested())
            return RetrievalEnd::Aborted;
        if (next == selection.size() || selection[next] != position)
            continue;
        const QString& name = tableList[position];
        read(next, name);
        if (progress.tableRead)
            progress.tableRead(next, name);
        ++next;
    }
    return RetrievalEnd::Complete;
}

RetrievalEnd retrieveColumns(Database& database, const QStringList& tableList,
                             const QList<qsizetype>& selection, GenerationModel& model,
                             const RetrievalProgress& progress) {
    model.MaxTableNameLength = 0;
    return retrieveSelected(tableList, selection, progress, [&](qsizetype, const QString& name) {
        model.appendCandidate(readTableColumns(database, name));
    });
}

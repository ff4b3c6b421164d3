#include "db/dictionary.h"

#include "db/database_backend.h"
#include "settings/setting_rules.h"

#include <QHash>

#include <optional>
#include <utility>

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

// The column query with "?" where the quoted table name goes.
QString columnQueryWithPlaceholder() {
    return QStringLiteral("SELECT CNAME,COLTYPE,WIDTH,PRECISION,SCALE,NULLS FROM COL") +
           QStringLiteral(" WHERE TNAME = ?") + QStringLiteral(" ORDER BY COLNO");
}

} // namespace

QString tableListQuery() {
    return QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES");
}

QString columnQuery(const QString& tableName) {
    return withQuotedText(columnQueryWithPlaceholder(), tableName);
}

namespace {

std::unique_ptr<Dynaset> columnDynaset(Database& database, const QString& tableName) {
    return database.dbCreateDynaset(columnQueryWithPlaceholder(), tableName, kDynasetOptions);
}

// The fields of the column query, looked up in a result the first time each is read, as
// reading one by its name would (a field the rows never reach is never looked up).
class ColumnFields {
public:
    enum Name { CNAME, COLTYPE, WIDTH, PRECISION, SCALE, NULLS, kCount };

    explicit ColumnFields(const Dynaset& rows) : rows_(rows) {}
    const FieldValue& value(Name name) { return rows_.value(index(name)); }
    const QString& text(Name name) { return rows_.text(index(name)); }

private:
    qsizetype index(Name name) {
        static const char* const kNames[kCount] = {"CNAME",     "COLTYPE", "WIDTH",
                                                   "PRECISION", "SCALE",   "NULLS"};
        if (indices_[name] < 0)
            indices_[name] = rows_.fieldIndex(QLatin1StringView(kNames[name]));
        return indices_[name];
    }

    const Dynaset& rows_;
    qsizetype indices_[kCount] = {-1, -1, -1, -1, -1, -1};
};

// The sizes "precision.scale" of a retrieval, each made once: a dictionary has a handful of
// them on thousands of columns. A bounded number of them.
class SizeTexts {
public:
    QString of(const QString& precision, const QString& scale) {
        const std::pair<QString, QString> key(precision, scale);
        if (const auto found = texts_.constFind(key); found != texts_.cend())
            return *found;
        QString size = precision + u'.' + scale;
        if (texts_.size() < kMaxTexts)
            texts_.insert(key, size);
        return size;
    }

private:
    static constexpr qsizetype kMaxTexts = 4096;
    QHash<std::pair<QString, QString>, QString> texts_;
};

TTableSettings readTableColumns(Database& database, const QString& tableName, SizeTexts& sizes);

} // namespace

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
    SizeTexts sizes;
    return readTableColumns(database, tableName, sizes);
}

namespace {

TTableSettings readTableColumns(Database& database, const QString& tableName, SizeTexts& sizes) {
    checkTableName(tableName);
    TTableSettings table = TTableSettings::startRetrieval(tableName);
    const std::unique_ptr<Dynaset> columns = columnDynaset(database, tableName);
    const qint32 count = columns->RecordCount();
    table.reserveColumns(count);
    ColumnFields fields(*columns);
    using F = ColumnFields;
    for (qint32 row = 0; row < count; ++row) {
        const QString& name = fields.text(F::CNAME);
        checkColumnName(tableName, name);
        // Each text checked as it is read, before it is used.
        const auto text = [&](F::Name field, const char* shown) -> const QString& {
            const QString& value = fields.text(field);
            checkColumnText(tableName, name, QLatin1StringView(shown), value);
            return value;
        };
        const QString& type = text(F::COLTYPE, "COLTYPE");
        if (type == u"NUMBER") {
            // A NUMBER declared without precision (plain NUMBER, INTEGER) has a NULL
            // precision or scale; its size is unknown, which is no reason to fail the list.
            const FieldValue& precision = fields.value(F::PRECISION);
            const FieldValue& scale = fields.value(F::SCALE);
            QString size;
            if (!precision.null && !scale.null) {
                // The scale is checked first, as it always was: of two faults, it is the one
                // the message names.
                checkColumnText(tableName, name, QStringLiteral("SCALE"), scale.text);
                checkColumnText(tableName, name, QStringLiteral("PRECISION"), precision.text);
                size = sizes.of(precision.text, scale.text);
            }
            table.appendColumn(name, type, size, text(F::NULLS, "NULLS"));
        } else {
            const QString& size = text(F::WIDTH, "WIDTH");
            table.appendColumn(name, type, size, text(F::NULLS, "NULLS"));
        }
        columns->MoveNext();
    }
    return table;
}

} // namespace

QList<DictionaryColumnRow> readColumnRows(Database& database, const QString& tableName) {
    const std::unique_ptr<Dynaset> columns = columnDynaset(database, tableName);
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
    const Database::ReadTransaction reading(database);
    SizeTexts sizes;
    // Room for every table at once: grown by doubling, the list would be copied as it grew
    // and held twice for the moment it moved.
    model.CandidateList.reserve(model.CandidateList.size() + selection.size());
    return retrieveSelected(tableList, selection, progress, [&](qsizetype, const QString& name) {
        model.appendCandidate(readTableColumns(database, name, sizes));
    });
}

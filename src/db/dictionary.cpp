#include "db/dictionary.h"

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

TTableSettings readTableColumns(Database& database, const QString& tableName,
                                qsizetype candidateCount) {
    TTableSettings table = TTableSettings::startRetrieval(tableName, candidateCount);
    const std::unique_ptr<Dynaset> columns =
        database.dbCreateDynaset(columnQuery(tableName), kDynasetOptions);
    const qint32 count = columns->RecordCount();
    for (qint32 row = 0; row < count; ++row) {
        const QString name = columns->Fields(QStringLiteral("CNAME")).Value();
        const QString type = columns->Fields(QStringLiteral("COLTYPE")).Value();
        QString size;
        if (type == u"NUMBER") {
            // A NUMBER declared without precision (plain NUMBER, INTEGER) has a NULL
            // precision or scale; its size is unknown, which is no reason to fail the list.
            const Field precision = columns->Fields(QStringLiteral("PRECISION"));
            const Field scale = columns->Fields(QStringLiteral("SCALE"));
            if (!precision.IsNull() && !scale.IsNull())
                size = precision.Value() + u'.' + scale.Value();
        } else {
            size = columns->Fields(QStringLiteral("WIDTH")).Value();
        }
        const QString nulls = columns->Fields(QStringLiteral("NULLS")).Value();
        table.appendColumn(name, type, size, nulls);
        columns->MoveNext();
    }
    return table;
}

RetrievalEnd retrieveColumns(Database& database, const QStringList& tableList,
                             const QList<qsizetype>& selection, GenerationModel& model,
                             const RetrievalProgress& progress) {
    model.MaxTableNameLength = 0;
    qsizetype next = 0; // the next entry of selection
    for (qsizetype position = 0; position < tableList.size(); ++position) {
        if (progress.abortRequested && progress.abortRequested())
            return RetrievalEnd::Aborted;
        if (next == selection.size() || selection[next] != position)
            continue;
        ++next;
        const QString& name = tableList[position];
        model.appendCandidate(readTableColumns(database, name, selection.size()));
        if (progress.tableRead)
            progress.tableRead(model.CandidateList.size() - 1, name);
    }
    return RetrievalEnd::Complete;
}

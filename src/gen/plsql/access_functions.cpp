// The insert, update, clear and set functions that move data between a table and the
// package body's variables.

#include "gen/plsql/package_generator.h"
#include "gen/plsql/plsql_text.h"

namespace {

// The last seven lines of every access function: success, or the error text kept for the
// public procedure and the error code returned.
void appendCommonTail(LineSink& OutputLines, const QString& Ind) {
    OutputLines.append(Ind % u"return(pp_OK);");
    OutputLines.append(QStringLiteral("EXCEPTION"));
    OutputLines.append(Ind % u"when others then");
    OutputLines.append(Ind % Ind % u"pp_ErrName := SQLERRM;");
    OutputLines.append(Ind % Ind % u"return(SQLCODE);");
    OutputLines.append(QStringLiteral("END;"));
    OutputLines.append(QString());
}

} // namespace

void PackageGenerator::AddTableAccessFunctions(LineSink& OutputLines) const {
    const TPackParameters& s = input_.settings;
    const QString& Ind = IndentText;
    const QString& U = input_.userName;
    for (qsizetype t = 0; t < input_.candidates.size(); ++t) {
        const TTableSettings& table = input_.candidates[t];
        const TableText& text = tables_[t];
        const QString& T = table.TableName;
        const qsizetype columns = text.columnCount;

        if (input_.flags.isIns(t)) {
            if (s.ProcHeader)
                AddRoutineHeader(OutputLines, T, RoutineKind::Insert);
            OutputLines.append(u"FUNCTION " % s.INS % T % u" RETURN NUMBER IS");
            OutputLines.append(QStringLiteral("BEGIN"));
            OutputLines.append(Ind % u"INSERT INTO " % U % u'.' % T % u" VALUES (");
            for (qsizetype j = 0; j < columns; ++j)
                OutputLines.append(Ind % Ind % u"DB_" % T % u'.' % table.ColumnNames[j] % u',');
            if (columns > 0)
                dropLastCharacter(OutputLines);
            OutputLines.append(Ind % u");");
            appendCommonTail(OutputLines, Ind);
        }

        if (input_.flags.isUpd(t)) {
            if (s.ProcHeader)
                AddRoutineHeader(OutputLines, T, RoutineKind::Update);
            OutputLines.append(u"FUNCTION " % s.UPD % T % u"(id IN ROWID) RETURN NUMBER IS");
            OutputLines.append(QStringLiteral("BEGIN"));
            OutputLines.append(Ind % u"UPDATE " % U % u'.' % T % u" SET");
            for (qsizetype j = 0; j < columns; ++j) {
                const QString& Col = table.ColumnNames[j];
                OutputLines.append(Ind % Ind % Col % Blanks{columnPad(t, j)} % u"= DB_" % T % u'.' %
                                   Col % u',');
            }
            if (columns > 0)
                dropLastCharacter(OutputLines);
            OutputLines.append(Ind % Ind % u"WHERE ROWID = id;");
            appendCommonTail(OutputLines, Ind);
        }

        if (input_.flags.isClr(t)) {
            if (s.ProcHeader)
                AddRoutineHeader(OutputLines, T, RoutineKind::Clear);
            OutputLines.append(u"FUNCTION " % s.Clr % T % u" RETURN NUMBER IS");
            OutputLines.append(QStringLiteral("BEGIN"));
            for (qsizetype j = 0; j < columns; ++j) {
                // Only the exact type text NUMBER is cleared to 0; other numeric types
                // (INTEGER, FLOAT, ...) are cleared like everything else.
                const bool isNumber = table.ColumnTypes(j) == u"NUMBER";
                OutputLines.append(Ind % u"DB_" % T % u'.' % table.ColumnNames[j] %
                                   Blanks{columnPad(t, j)} %
                                   (isNumber ? QStringView(u":= 0;") : QStringView(u":= NULL;")));
            }
            appendCommonTail(OutputLines, Ind);

            const bool isArray = input_.flags.isArray(t);
            if (s.ProcHeader)
                AddRoutineHeader(OutputLines, T, RoutineKind::Set);
            OutputLines.append(u"FUNCTION " % s.Set % T %
                               (isArray ? QStringView(u"(i IN INTEGER) RETURN NUMBER IS")
                                        : QStringView(u" RETURN NUMBER IS")));
            OutputLines.append(QStringLiteral("BEGIN"));
            const QStringView element = isArray ? QStringView(u"(i);") : QStringView(u";");
            for (qsizetype j = 0; j < columns; ++j)
                OutputLines.append(Ind % u"DB_" % T % u'.' % table.ColumnNames[j] %
                                   Blanks{columnPad(t, j)} % u":= " % text.itemNames[j] % element);
            appendCommonTail(OutputLines, Ind);
        }
    }
}

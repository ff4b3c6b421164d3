#include "gen/csv/table_structure.h"

#include "support/test_files.h"
#include "util/safe_file.h"
#include "util/sjis.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kHeading = QStringLiteral("項目名,データ型,項目幅,NULL許可,備考");

TTableSettings table(const QString& name, const QList<QStringList>& columns) {
    TTableSettings t = TTableSettings::startRetrieval(name);
    for (const QStringList& c : columns)
        t.appendColumn(c[0], c[1], c[2], c[3]);
    return t;
}

TCandidateList twoTables() {
    return {table("EMP", {{"EMPNO", "NUMBER", "4.0", "N"},
                          {"ENAME", "VARCHAR2", "10", "Y"},
                          {"HIREDATE", "DATE", "7", "Y"}}),
            table("部署", {{"部署番号", "NUMBER", "2.0", "N"}, {"部署名", "VARCHAR2", "14", "Y"}})};
}

} // namespace

class TestTableStructure : public QObject {
    Q_OBJECT
private slots:
    void twoTablesAreByteExact();
    void tableWithoutColumns();
    void csvField_data();
    void csvField();
    void valueWithCommaKeepsFourFields();
    void failedWriteLeavesNothingBehind();
    void unencodableNameKeepsTheOldFile();
};

void TestTableStructure::twoTablesAreByteExact() {
    QTemporaryDir dir;
    const QString path = dir.filePath("EMP.csv");
    writeFileBytes(path, "an older and longer description that must go entirely");
    writeTableStructure(path, twoTables());
    QCOMPARE(readFileBytes(path), readFileBytes(testDataPath("gen/csv/two_tables.csv")));
}

void TestTableStructure::tableWithoutColumns() {
    const TCandidateList candidates{table("EMPTY", {}),
                                    table("ONE", {{"ID", "NUMBER", "10.0", "N"}})};
    QCOMPARE(tableStructureLines(candidates),
             QStringList(
                 {"", "[ EMPTY ]", "", kHeading, "", "[ ONE ]", "", kHeading, "ID,NUMBER,10.0,N"}));
    QCOMPARE(tableStructureLines({}), QStringList());
}

void TestTableStructure::csvField_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "EMPNO"
                           << "EMPNO";
    QTest::newRow("precision and scale") << "10.2"
                                         << "10.2";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks kept") << " A B "
                                 << " A B ";
    QTest::newRow("full-width comma") << "Ａ，Ｂ"
                                      << "Ａ，Ｂ";
    QTest::newRow("apostrophe") << "O'NEIL"
                                << "O'NEIL";
    QTest::newRow("comma") << "A,B"
                           << "\"A,B\"";
    QTest::newRow("double quote") << "say \"hi\""
                                  << "\"say \"\"hi\"\"\"";
    QTest::newRow("only a quote") << "\""
                                  << "\"\"\"\"";
    QTest::newRow("line feed") << "A\nB"
                               << "\"A\nB\"";
    QTest::newRow("carriage return") << "A\rB"
                                     << "\"A\rB\"";
}

void TestTableStructure::csvField() {
    QFETCH(QString, value);
    QFETCH(QString, field);
    QCOMPARE(::csvField(value), field);
}

void TestTableStructure::valueWithCommaKeepsFourFields() {
    const TCandidateList candidates{
        table("T,1", {{"A,B", "VARCHAR2", "10", "Y"}, {"\"Q\"", "NUMBER", "5.0", "N"}})};
    QCOMPARE(tableStructureLines(candidates),
             QStringList({"", "\"[ T,1 ]\"", "", kHeading, "\"A,B\",VARCHAR2,10,Y",
                          "\"\"\"Q\"\"\",NUMBER,5.0,N"}));
}

void TestTableStructure::failedWriteLeavesNothingBehind() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/EMP.csv");
    QVERIFY_THROWS_EXCEPTION(FileWriteError, writeTableStructure(path, twoTables()));
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestTableStructure::unencodableNameKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("EMP.csv");
    writeFileBytes(path, "old");
    const TCandidateList candidates{table("EMP", {{"ID", "NUMBER", "4.0", "N"}}),
                                    table("T", {{"NAME😀", "VARCHAR2", "10", "Y"}})};
    QVERIFY_THROWS_EXCEPTION(SjisEncodeError, writeTableStructure(path, candidates));
    QCOMPARE(readFileBytes(path), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"EMP.csv"});
}

QTEST_MAIN(TestTableStructure)
#include "tst_table_structure.moc"

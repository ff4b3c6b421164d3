#include "model/generation_model.h"

#include <QTest>

class TestGenerationModel : public QObject {
    Q_OBJECT
private slots:
    void retrievalStartValues();
    void maxColumnNameLengthCountsBytes_data();
    void maxColumnNameLengthCountsBytes();
    void eachColumnKeepsItsTexts_data();
    void eachColumnKeepsItsTexts();
    void argumentTableCountFollowsTheEntries();
    void maxTableNameLengthRisesAndClears();
    void firstPublicTable();
};

void TestGenerationModel::retrievalStartValues() {
    const TTableSettings t = TTableSettings::startRetrieval("EMP");
    QCOMPARE(t.TableName, QStringLiteral("EMP"));
    QCOMPARE(t.ColumnCount, 0);
    QCOMPARE(t.MaxColumnNameLength, 8);
    QVERIFY(t.ArgumentTables.isEmpty());
    QCOMPARE(t.ArgumentTableCount, 0);
    QCOMPARE(t.GenStrOn, false);
    QCOMPARE(t.GenStrCount, 10);
    QCOMPARE(t.GenNumOn, false);
    QCOMPARE(t.GenNumCount, 10);
}

void TestGenerationModel::maxColumnNameLengthCountsBytes_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<qint32>("maxLength");
    QTest::newRow("all short") << QStringList{"ID", "EMPNO"} << 8;
    QTest::newRow("one long") << QStringList{"ID", "HIREDATE_X"} << 10;
    QTest::newRow("five double-byte") << QStringList{"社員番号名"} << 10;
    QTest::newRow("half-width katakana") << QStringList{"ｼｬｲﾝﾊﾞﾝｺﾞｳﾒｲ"} << 12;
    QTest::newRow("no columns") << QStringList{} << 8;
}

void TestGenerationModel::maxColumnNameLengthCountsBytes() {
    QFETCH(QStringList, names);
    QFETCH(qint32, maxLength);
    TTableSettings t = TTableSettings::startRetrieval("T");
    for (const QString& name : names)
        t.appendColumn(name, "VARCHAR2", "20", "NULL");
    QCOMPARE(t.MaxColumnNameLength, maxLength);
    QCOMPARE(t.ColumnCount, qint32(names.size()));
    QCOMPARE(t.ColumnNames, names);
    QCOMPARE(t.ColumnTypes().size(), names.size());
    QCOMPARE(t.ColumnSizes().size(), names.size());
    QCOMPARE(t.ColumnNulls().size(), names.size());
}

void TestGenerationModel::eachColumnKeepsItsTexts_data() {
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("sizes");
    QTest::addColumn<QStringList>("nulls");
    QTest::newRow("repeated") << QStringList{"NUMBER", "DATE", "NUMBER", "DATE"}
                              << QStringList{"4.0", "7", "4.0", "7"}
                              << QStringList{"NOT NULL", "NULL", "NOT NULL", "NULL"};
    QTest::newRow("one text apart") << QStringList{"NUMBER", "NUMBER", "NUMBER", "CHAR"}
                                    << QStringList{"4.0", "4.2", "4.2", "4.2"}
                                    << QStringList{"NULL", "NULL", "NOT NULL", "NOT NULL"};
    // More different columns than appending looks back at, then the first one again.
    QStringList many, numbers;
    for (int c = 0; c < 40; ++c) {
        many << QStringLiteral("T%1").arg(c);
        numbers << QString::number(c);
    }
    many << "T0";
    numbers << "0";
    QTest::newRow("many different") << many << numbers << QStringList(41, QStringLiteral("NULL"));
    QTest::newRow("empty texts") << QStringList{"", "DATE", ""} << QStringList{"", "", "7"}
                                 << QStringList{"", "", ""};
}

void TestGenerationModel::eachColumnKeepsItsTexts() {
    QFETCH(QStringList, types);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, nulls);
    TTableSettings t = TTableSettings::startRetrieval("T");
    for (qsizetype j = 0; j < types.size(); ++j)
        t.appendColumn(QStringLiteral("C%1").arg(j), types[j], sizes[j], nulls[j]);
    QCOMPARE(t.ColumnTypes(), types);
    QCOMPARE(t.ColumnSizes(), sizes);
    QCOMPARE(t.ColumnNulls(), nulls);
    for (qsizetype j = 0; j < types.size(); ++j)
        QCOMPARE(t.ColumnTypes(j) + u'|' + t.ColumnSizes(j) + u'|' + t.ColumnNulls(j),
                 types[j] + u'|' + sizes[j] + u'|' + nulls[j]);
    // No column there: empty texts, as a generator reading past a hand-made table expects.
    for (const qsizetype j : {qsizetype(-1), types.size()})
        QVERIFY(t.ColumnTypes(j).isEmpty() && t.ColumnSizes(j).isEmpty() &&
                t.ColumnNulls(j).isEmpty());
}

void TestGenerationModel::argumentTableCountFollowsTheEntries() {
    TTableSettings t = TTableSettings::startRetrieval("T");
    // The generators walk the list in candidate order and name each table once.
    t.setArgumentTables({2, 0, 2});
    QCOMPARE(t.ArgumentTables, (QList<qsizetype>{0, 2}));
    QCOMPARE(t.ArgumentTableCount, 2);
    QVERIFY(t.isArgumentTable(2) && !t.isArgumentTable(1));
    t.setArgumentTables({});
    QCOMPARE(t.ArgumentTableCount, 0);
}

void TestGenerationModel::maxTableNameLengthRisesAndClears() {
    GenerationModel model;
    model.appendCandidate(TTableSettings::startRetrieval("EMP"));
    QCOMPARE(model.MaxTableNameLength, 3);
    model.appendCandidate(TTableSettings::startRetrieval("社員"));
    QCOMPARE(model.MaxTableNameLength, 4);
    model.appendCandidate(TTableSettings::startRetrieval("A"));
    QCOMPARE(model.MaxTableNameLength, 4);
    model.ClearCandidates();
    QVERIFY(model.CandidateList.isEmpty());
    model.ClearCandidates(); // safe on an empty model
    QVERIFY(model.CandidateList.isEmpty());
}

void TestGenerationModel::firstPublicTable() {
    TCandidateList list(3);
    PlainTableFlags flags({{}, {true}, {true}});
    QCOMPARE(::firstPublicTable(list, flags), qsizetype(1));
    flags.rows()[1].Public = false;
    QCOMPARE(::firstPublicTable(list, flags), qsizetype(2));
    QCOMPARE(::firstPublicTable(list, PlainTableFlags()), qsizetype(-1));
    QCOMPARE(::firstPublicTable(TCandidateList(), flags), qsizetype(-1));
}

QTEST_GUILESS_MAIN(TestGenerationModel)
#include "tst_generation_model.moc"

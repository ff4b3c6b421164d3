#include "model/generation_model.h"

#include <QTest>

class TestGenerationModel : public QObject {
    Q_OBJECT
private slots:
    void retrievalStartValues();
    void maxColumnNameLengthCountsBytes_data();
    void maxColumnNameLengthCountsBytes();
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
    QCOMPARE(t.ColumnTypes.size(), names.size());
    QCOMPARE(t.ColumnSizes.size(), names.size());
    QCOMPARE(t.ColumnNulls.size(), names.size());
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

#include "tst_reserved_names.h"

#include "gen/reserved_words.h"
#include "plsql_fixture.h"

// Lines follow the package of the driver's worked example (one public table, no headers,
// Indent 2, user APP): 2 CREATE, 8 PROCEDURE, 27 the cursor record variable, 36 and 37 the
// item variables of the two columns. The module has its three marks off: its line 22 is the
// block's first line, ppSQL = "Begin " + package + "." + procedure + "(".
void TestReservedNames::firstLines_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("setting"); // key=value
    QTest::addColumn<bool>("vb");
    QTest::addColumn<QStringList>("expected"); // name:line
    const auto row = [](const char* name, QString table, QString column, QString setting, bool vb,
                        QStringList expected) {
        QTest::newRow(name) << table << column << setting << vb << expected;
    };
    // OR stands in "CREATE OR REPLACE" first, but there it is the template's own word.
    row("reserved table", "OR", "ENAME", "", false, {"OR:27"});
    row("reserved column", "EMP", "DATE", "", false, {"DATE:37"});
    row("lower case", "EMP", "level", "", false, {"level:37"});
    row("table and column, one name once", "DATE", "DATE", "", false, {"DATE:27"});
    row("prefix join", "N", "ENAME", "Public=i", false, {"iN:8"});
    row("package name", "EMP", "ENAME", "PackName=Order", false, {"Order:2"});
    row("user name", "EMP", "ENAME", "user=user", false, {"user:27"});
    row("not reserved", "ORDERS", "LEVEL_NO", "Public=i", false, {});
    row("module: package name", "EMP", "ENAME", "PackName=ORDER", true, {"ORDER:22"});
    row("module: prefix join", "N", "ENAME", "Public=i", true, {"iN:22"});
    row("module: tables and columns only inside names", "ORDER", "DATE", "", true, {});
}

void TestReservedNames::firstLines() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, setting);
    QFETCH(bool, vb);
    QFETCH(QStringList, expected);
    Scenario s;
    s.addTable(table, {{"EMPNO", "NUMBER"}, {column}}, {.Public = true});
    const QString value = setting.section(u'=', 1);
    if (setting.startsWith(u"Public="))
        s.settings.Public = value;
    else if (setting.startsWith(u"PackName="))
        s.settings.PackName = value;
    else if (setting.startsWith(u"user="))
        s.userName = value;

    const QList<ReservedName> found =
        vb ? reservedNamesInVbModule(s.input(), VbOptions{false, false, false})
           : reservedNamesInPackage(s.input());
    QStringList actual;
    for (const ReservedName& name : found)
        actual.append(name.name + u':' + QString::number(name.line));
    QCOMPARE(actual, expected);
}

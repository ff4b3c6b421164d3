#include "tst_package_name.h"

#include "gen/plsql/package_name.h"
#include "plsql_fixture.h"

void TestPackageName::formPackageName_data() {
    QTest::addColumn<QString>("packName");
    QTest::addColumn<QList<bool>>("publicFlags");
    QTest::addColumn<QString>("expected");
    const QList<bool> firstPublic{true, false, true};
    QTest::newRow("blank: first public table") << "" << firstPublic << "EMP_PACK";
    QTest::newRow("stored name") << "SALES" << firstPublic << "SALES";
    QTest::newRow("blanks around kept") << "  SALES " << firstPublic << "  SALES ";
    QTest::newRow("blanks only") << "   " << firstPublic << "EMP_PACK";
    QTest::newRow("tab and blank") << "\t " << firstPublic << "EMP_PACK";
    QTest::newRow("full-width blank is a name") << "　" << firstPublic << "　";
    QTest::newRow("second and third public") << "" << QList<bool>{false, true, true} << "DEPT_PACK";
    QTest::newRow("no public table") << "" << QList<bool>{false, false, false} << "";
}

void TestPackageName::formPackageName() {
    QFETCH(QString, packName);
    QFETCH(QList<bool>, publicFlags);
    QFETCH(QString, expected);
    Scenario s;
    s.settings.PackName = packName;
    const QStringList names{"EMP", "DEPT", "BONUS"};
    for (qsizetype i = 0; i < names.size(); ++i)
        s.addTable(names[i], {{"ID"}}, {.Public = publicFlags[i]});
    QCOMPARE(FormPackageName(s.settings, s.candidates, s.flags), expected);
}

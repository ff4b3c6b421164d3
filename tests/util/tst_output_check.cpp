#include "tst_output_check.h"

#include "util/output_check.h"

#include <QTest>

void TestOutputCheck::checkTakesTheOutputCutAnywhere_data() {
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QByteArray>("generated");
    QTest::addColumn<QStringList>("diff"); // after "--- S", "+++ G"
    QTest::addColumn<int>("lineEndDiffers");
    QTest::newRow("same") << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n")
                          << QStringList{} << 0;
    QTest::newRow("last line changed")
        << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("a\r\nb\r\nd\r\n")
        << QStringList{"@@ -1,3 +1,3 @@", " a", " b", "-c", "+d"} << 0;
    QTest::newRow("saved file longer") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\n")
                                       << QStringList{"@@ -1,2 +1 @@", " a", "-b"} << 0;
    QTest::newRow("generated text longer") << QByteArray("a\r\n") << QByteArray("a\r\nb\r\n")
                                           << QStringList{"@@ -1 +1,2 @@", " a", "+b"} << 0;
    QTest::newRow("saved file without the last line end")
        << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n") << QStringList{} << 2;
}

void TestOutputCheck::checkTakesTheOutputCutAnywhere() {
    // The generated text arrives in blocks; wherever one ends, the result is the same.
    QFETCH(QByteArray, saved);
    QFETCH(QByteArray, generated);
    QFETCH(QStringList, diff);
    QFETCH(int, lineEndDiffers);
    for (qsizetype cut = 0; cut <= generated.size(); ++cut) {
        OutputComparer comparer(savedBytes(saved), false, QString());
        comparer.append(generated.first(cut));
        comparer.append(generated.sliced(cut));
        QByteArray written;
        const OutputCheck check =
            comparer.finish("S", "G", [&written](QByteArrayView block) { written += block; });
        const QStringList expected =
            diff.isEmpty() ? QStringList{} : QStringList{"--- S", "+++ G"} + diff;
        QCOMPARE(QString::fromUtf8(written).split(u'\n', Qt::SkipEmptyParts), expected);
        QCOMPARE(check.diffWritten, !diff.isEmpty());
        QCOMPARE(check.lineEndDiffers, lineEndDiffers);
        QCOMPARE(check.same, diff.isEmpty() && lineEndDiffers == 0);
    }
}

void TestOutputCheck::checkDiffKeepsToItsBudget_data() {
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QByteArray>("generated");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QStringList>("diff"); // after "--- S", "+++ G"
    const QByteArray saved = "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\n";
    const QByteArray generated = "a\nB\nc\nd\ne\nf\ng\nh\ni\nJ\nk\n";
    QTest::newRow("searched") << saved << generated << kCheckMemoryBudget
                              << QStringList{"@@ -1,5 +1,5 @@", " a", "-b", "+B", " c", " d", " e",
                                             "@@ -7,5 +7,5 @@", " g", " h", " i", "-j", "+J", " k"};
    QTest::newRow("past the budget: replaced whole between the lines that agree")
        << saved << generated << qint64(0)
        << QStringList{"@@ -1,11 +1,11 @@",
                       " a",
                       "-b",
                       "-c",
                       "-d",
                       "-e",
                       "-f",
                       "-g",
                       "-h",
                       "-i",
                       "-j",
                       "+B",
                       "+c",
                       "+d",
                       "+e",
                       "+f",
                       "+g",
                       "+h",
                       "+i",
                       "+J",
                       " k"};
    QTest::newRow("past the budget, no line agrees at the end")
        << QByteArray("a\nb\nc\nd") << QByteArray("a\nb\nX\nY\n") << qint64(0)
        << QStringList{"@@ -1,4 +1,4 @@", " a", " b", "-c", "-d", "+X", "+Y"};
    QTest::newRow("a saved line of 17 MiB equals none")
        << QByteArray("a\n") + QByteArray(17 * 1024 * 1024, 'x') + "\nb\n"
        << QByteArray("a\nb\n") << kCheckMemoryBudget
        << QStringList{"@@ -1,3 +1,2 @@", " a", "-" + QString(16 * 1024 * 1024, u'x') + "…", " b"};
}

void TestOutputCheck::checkDiffKeepsToItsBudget() {
    QFETCH(QByteArray, saved);
    QFETCH(QByteArray, generated);
    QFETCH(qint64, budget);
    QFETCH(QStringList, diff);
    OutputComparer comparer(savedBytes(saved), true, QString(), budget);
    comparer.append(generated);
    QByteArray written;
    const OutputCheck check =
        comparer.finish("S", "G", [&written](QByteArrayView block) { written += block; });
    QVERIFY(check.diffWritten);
    const QString expected = (QStringList{"--- S", "+++ G"} + diff).join(u'\n') + u'\n';
    QVERIFY2(QString::fromUtf8(written) == expected, written.left(300).constData());
}

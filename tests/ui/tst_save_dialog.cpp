#include "tst_save_dialog.h"

#include "support/test_files.h"
#include "support/ui_helpers.h"
#include "ui/dialogs/save_file_chooser.h"
#include "ui/main/control_anchors.h"
#include "ui/save_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

void TestSaveDialog::nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("package source")
        << "SQLﾌｧｲﾙ (*.sql)|*.sql|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*"
        << QStringList{"SQLﾌｧｲﾙ (*.sql)", "ﾃｷｽﾄﾌｧｲﾙ (*.txt)", "すべてのﾌｧｲﾙ (*)"};
    QTest::newRow("module") << "BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*"
                            << QStringList{"BASファイル (*.bas)", "すべてのﾌｧｲﾙ (*)"};
    QTest::newRow("description without patterns")
        << "CSV|*.csv;*.txt" << QStringList{"CSV (*.csv *.txt)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestSaveDialog::nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(nameFiltersOf(filter), expected);
}

void TestSaveDialog::chooserSetUp() {
    QTemporaryDir root;
    SaveDialog dialog;
    dialog.InitialDir = root.path();
    dialog.FileName = QStringLiteral("MOD_ParamSet");
    dialog.DefaultExt = QStringLiteral(".bas");
    dialog.Filter = QStringLiteral("BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*");
    SaveFileChooser chooser(nullptr, dialog);
    QCOMPARE(chooser.windowTitle(), QStringLiteral("名前を付けて保存"));
    QCOMPARE(chooser.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(chooser.nameFilters(), (QStringList{QStringLiteral("BASファイル (*.bas)"),
                                                 QStringLiteral("すべてのﾌｧｲﾙ (*)")}));
    QCOMPARE(QDir(chooser.directory()).canonicalPath(), QDir(root.path()).canonicalPath());
    QCOMPARE(QFileInfo(chooser.selectedFiles().value(0)).fileName(),
             QStringLiteral("MOD_ParamSet"));

    // The last file chosen, a whole path, opens in its own folder.
    QTemporaryDir other;
    dialog.FileName = QDir(other.path()).filePath(QStringLiteral("EMP.csv"));
    SaveFileChooser again(nullptr, dialog);
    QCOMPARE(QDir(again.directory()).canonicalPath(), QDir(other.path()).canonicalPath());
}

void TestSaveDialog::chooserAsksBeforeCreatingAndReplacing() {
    ScopedMessages messages;
    QTemporaryDir root;
    const QString existing = QDir(root.path()).filePath(QStringLiteral("old.sql"));
    writeFileBytes(existing, "x");
    SaveDialog dialog;
    dialog.InitialDir = root.path();
    dialog.DefaultExt = QStringLiteral("sql");
    dialog.OverwritePrompt = true;
    dialog.CreatePrompt = true;

    SaveFileChooser chooser(nullptr, dialog);
    chooser.show();
    chooser.selectFile(QDir(root.path()).filePath(QStringLiteral("新規")));
    messages.reporter.answers = {MessageAnswer::No};
    chooser.accept();
    QCOMPARE(messages.reporter.texts(),
             QStringList{QStringLiteral("新規.sql は存在しません。作成しますか？")});
    QCOMPARE(messages.reporter.messages.first().caption, QStringLiteral("Tamsel"));
    QCOMPARE(messages.reporter.messages.first().buttons, MessageButtons::YesNo);
    QVERIFY(chooser.isVisible()); // No: another name may be chosen

    chooser.selectFile(existing);
    messages.reporter.answers = {MessageAnswer::No};
    chooser.accept();
    QCOMPARE(messages.reporter.texts().last(),
             QStringLiteral("old.sql は既に存在します。上書きしますか？"));
    QVERIFY(chooser.isVisible());
    messages.reporter.answers = {MessageAnswer::Yes};
    chooser.accept();
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.chosenFile(), existing);
    QCOMPARE(readFileBytes(existing), QByteArray("x")); // choosing writes nothing

    // Without the two options nothing is asked.
    dialog.OverwritePrompt = false;
    dialog.CreatePrompt = false;
    SaveFileChooser quiet(nullptr, dialog);
    quiet.show();
    quiet.selectFile(QDir(root.path()).filePath(QStringLiteral("new.sql")));
    const qsizetype asked = messages.reporter.messages.size();
    quiet.accept();
    QCOMPARE(messages.reporter.messages.size(), asked);
    QCOMPARE(QFileInfo(quiet.chosenFile()).fileName(), QStringLiteral("new.sql"));
}

void TestSaveDialog::chosenFilterGivesTheExtension_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("defaultExt");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    const QString sql = "SQLﾌｧｲﾙ (*.sql)|*.sql|ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*";
    const QString bas = "BASファイル (*.bas)|*.bas|すべてのﾌｧｲﾙ (*.*)|*.*";
    QTest::newRow("SQL") << sql << "sql" << 0 << "pkg3"
                         << "pkg3.sql";
    QTest::newRow("text") << sql << "sql" << 1 << "pkg3"
                          << "pkg3.txt";
    QTest::newRow("all: the default") << sql << "sql" << 2 << "pkg3"
                                      << "pkg3.sql";
    QTest::newRow("typed extension") << sql << "sql" << 1 << "pkg3.sql"
                                     << "pkg3.sql";
    QTest::newRow("final point") << sql << "sql" << 2 << "pkg3."
                                 << "pkg3";
    QTest::newRow("module, all") << bas << ".bas" << 1 << "MOD_X"
                                 << "MOD_X.bas";
}

void TestSaveDialog::chosenFilterGivesTheExtension() {
    QFETCH(QString, filter);
    QFETCH(QString, defaultExt);
    QFETCH(int, chosen);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir root;
    SaveDialog dialog{root.path(), {}, defaultExt, filter};
    SaveFileChooser chooser(nullptr, dialog);
    QVERIFY(showActive(&chooser));
    chooser.selectNameFilter(chooser.nameFilters().value(chosen));
    QTest::keyClicks(chooser.focusWidget(), typed);
    QTest::keyClick(chooser.focusWidget(), Qt::Key_Return);
    QCOMPARE(chooser.chosenFile(), QDir(root.path()).filePath(saved));
}

void TestSaveDialog::executeThroughTheSeam() {
    QList<QString> proposed;
    std::optional<QString> answer = QStringLiteral("/tmp/chosen.sql");
    const SaveDialogRunner previous =
        setSaveDialogRunner([&](QWidget*, const SaveDialog& d) -> std::optional<QString> {
            proposed.append(d.FileName);
            return answer;
        });
    SaveDialog dialog;
    dialog.FileName = QStringLiteral("first");
    QVERIFY(dialog.Execute(nullptr));
    QCOMPARE(dialog.FileName, QStringLiteral("/tmp/chosen.sql"));
    answer.reset();
    QVERIFY(!dialog.Execute(nullptr)); // cancelled: the name stays
    QCOMPARE(dialog.FileName, QStringLiteral("/tmp/chosen.sql"));
    QCOMPARE(proposed, (QList<QString>{"first", "/tmp/chosen.sql"}));
    setSaveDialogRunner(previous);
}

void TestSaveDialog::anchoredGeometry_data() {
    QTest::addColumn<int>("anchors");
    QTest::addColumn<QRect>("expected");
    using A = Anchor;
    // Design: a control at (10, 20) 100 x 50 in a 400 x 300 parent, grown to 500 x 360.
    QTest::newRow("left top") << int(A::Left | A::Top) << QRect(10, 20, 100, 50);
    QTest::newRow("left top bottom")
        << int(A::Left | A::Top | A::Bottom) << QRect(10, 20, 100, 110);
    QTest::newRow("left right bottom")
        << int(A::Left | A::Right | A::Bottom) << QRect(10, 80, 200, 50);
    QTest::newRow("all four") << int(A::Left | A::Top | A::Right | A::Bottom)
                              << QRect(10, 20, 200, 110);
    QTest::newRow("left bottom") << int(A::Left | A::Bottom) << QRect(10, 80, 100, 50);
    QTest::newRow("right top") << int(A::Right | A::Top) << QRect(110, 20, 100, 50);
    QTest::newRow("none: centre in proportion") << 0 << QRect(25, 29, 100, 50);
}

void TestSaveDialog::anchoredGeometry() {
    QFETCH(int, anchors);
    QFETCH(QRect, expected);
    const Anchors flags = Anchors::fromInt(anchors);
    QCOMPARE(::anchoredGeometry(QRect(10, 20, 100, 50), QSize(400, 300), QSize(500, 360), flags),
             expected);
    // Back at the design size, everything is where it was designed.
    QCOMPARE(::anchoredGeometry(QRect(10, 20, 100, 50), QSize(400, 300), QSize(400, 300), flags),
             QRect(10, 20, 100, 50));

    QWidget parent;
    QWidget* control = new QWidget(&parent);
    control->setGeometry(10, 20, 100, 50);
    ControlAnchors set;
    set.add(control, flags, QSize(400, 300));
    set.apply(QSize(500, 360));
    QCOMPARE(control->geometry(), expected);
}

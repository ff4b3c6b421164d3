#include "tst_preview_editor.h"

#include "main_fixture.h"
#include "support/test_files.h"
#include "ui/dialogs/go_to_line_dialog.h"
#include "ui/main/frm_main.h"
#include "ui/main/preview_pane.h"
#include "ui/main/table_rows.h"
#include "ui/widgets/code_editor.h"
#include "ui/widgets/find_bar.h"
#include "ui/widgets/vb_lexer.h"
#include "util/sjis.h"

#include <Qsci/qscilexersql.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

QAction* action(const MainView& m, const char* name) {
    return m->findChild<QAction*>(QLatin1String(name));
}

// Logged on, two tables in the candidate list, the second public: F5 and F6 both generate.
bool working(ProgramRun& run, const MainView& m) {
    if (!logOnAs(run))
        return false;
    selectTables(m, {0, 1});
    if (m.Rows->size() != 2)
        return false;
    m.Rows->at(1).PublicCheck->setChecked(true);
    return true;
}

} // namespace

void TestPreviewEditor::editMenu_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("undo") << "MNU_Undo"
                          << "元に戻す(&U)" << QKeySequence(Qt::CTRL | Qt::Key_Z);
    QTest::newRow("redo") << "MNU_Redo"
                          << "やり直し(&R)" << QKeySequence(Qt::CTRL | Qt::Key_Y);
    QTest::newRow("cut") << "MNU_Cut"
                         << "切り取り(&T)" << QKeySequence(Qt::CTRL | Qt::Key_X);
    QTest::newRow("copy") << "MNU_Copy"
                          << "コピー(&C)" << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("paste") << "MNU_Paste"
                           << "貼り付け(&P)" << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("select all") << "MNU_SelectAll"
                                << "すべて選択(&A)" << QKeySequence(Qt::CTRL | Qt::Key_A);
    QTest::newRow("find") << "MNU_Find"
                          << "検索(&F)" << QKeySequence(Qt::CTRL | Qt::Key_F);
    QTest::newRow("go to line") << "MNU_GoToLine"
                                << "行へ移動(&G)..." << QKeySequence(Qt::CTRL | Qt::Key_G);
}

void TestPreviewEditor::editMenu() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    ProgramRun run;
    MainView m(run.main());
    // The menu comes between ファイル and 操作; every other menu stays where it was.
    QStringList titles;
    for (const QAction* menu : m->menuBar()->actions())
        titles.append(menu->text());
    QCOMPARE(titles,
             (QStringList{"ファイル(&F)", "編集(&E)", "操作(&H)", "ｵﾌﾟｼｮﾝ(&O)", "ヘルプ(&H)"}));
    const QMenu* edit = m->findChild<QMenu*>(QStringLiteral("MNU_Edit"));
    QVERIFY(edit);
    QAction* item = m->findChild<QAction*>(name);
    QVERIFY(item);
    QVERIFY(edit->actions().contains(item));
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
}

void TestPreviewEditor::fillEditUndoSave() {
    ProgramRun run;
    ScopedSaveDialog saves;
    MainView m(run.main());
    QVERIFY(working(run, m));
    QAction* undo = action(m, "MNU_Undo");
    QAction* redo = action(m, "MNU_Redo");

    // F5 fills the preview with nothing to undo: the text before it cannot come back.
    m.MEM_Preview->setFocus();
    QTest::keyClicks(m.MEM_Preview, QStringLiteral("old"));
    QVERIFY(undo->isEnabled());
    m.MNU_Execute->trigger();
    const QStringList generated = m.Preview->PreviewLines();
    QCOMPARE(generated.filter(QStringLiteral("CREATE OR REPLACE PACKAGE BODY ")).size(), 1);
    QVERIFY(!m.MEM_Preview->isUndoAvailable());
    QVERIFY(!undo->isEnabled());
    QVERIFY(m.MNU_Save->isEnabled());

    // Typed, and Japanese committed by an input method, at the top; undone, and done again.
    m.MEM_Preview->setFocus();
    QTest::keyClicks(m.MEM_Preview, QStringLiteral("x"));
    QInputMethodEvent composing;
    composing.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(m.MEM_Preview, &composing);
    QStringList edited = generated;
    edited.first().prepend(QStringLiteral("x日本"));
    QCOMPARE(m.Preview->PreviewLines(), edited);
    QVERIFY(undo->isEnabled());
    while (undo->isEnabled())
        undo->trigger();
    QCOMPARE(m.Preview->PreviewLines(), generated);
    QVERIFY(redo->isEnabled());
    while (redo->isEnabled())
        redo->trigger();
    QCOMPARE(m.Preview->PreviewLines(), edited);

    // Saved as the editor shows it, Shift-JIS with CR LF.
    const QString path = QDir(run.folder.path()).filePath(QStringLiteral("edited.sql"));
    saves.answers.append(path);
    m.MNU_Save->trigger();
    QCOMPARE(readFileBytes(path), toSjis(edited.join(QStringLiteral("\r\n")) + "\r\n"));

    // F6 replaces it all, again with nothing to undo; logout empties it.
    m.MNU_vbExecute->trigger();
    QCOMPARE(m.Preview->PreviewLines().first(),
             QStringLiteral("Attribute VB_Name = \"MOD_ParamSet\""));
    QVERIFY(!undo->isEnabled());
    m.MNU_Logout->trigger();
    QVERIFY(m.Preview->isEmpty());
    QVERIFY(!m.MNU_Save->isEnabled());
    QVERIFY(!undo->isEnabled());
}

void TestPreviewEditor::keyboardLeavesPreview_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focus"); // the control that gets the keyboard
    QTest::addColumn<QString>("text");  // the preview's text after the key
    // The keys start with "xy" selected in "axyb": a tab replaces it as a typed character
    // would; leaving changes nothing.
    QTest::newRow("ctrl+tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << "BTN_vbExecute"
                              << "axyb";
    // Qt gives Shift+Tab as Backtab, with the Shift it came with or without.
    QTest::newRow("ctrl+shift+tab")
        << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << "LST_Tables"
        << "axyb";
    QTest::newRow("ctrl+backtab") << int(Qt::Key_Backtab) << int(Qt::ControlModifier)
                                  << "LST_Tables"
                                  << "axyb";
    QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "MEM_Preview"
                         << "a\tb";
}

void TestPreviewEditor::keyboardLeavesPreview() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focus);
    QFETCH(QString, text);
    ProgramRun run;
    MainView m(run.main());
    QVERIFY(working(run, m)); // the module button enabled
    m.MEM_Preview->setText(QStringLiteral("axyb"));
    m.MEM_Preview->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m.MEM_Preview);
    m.MEM_Preview->setSelection(0, 1, 0, 3);
    QTest::keyClick(m.MEM_Preview, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(m.MEM_Preview->text(), text);
}

void TestPreviewEditor::findAndGoToLine() {
    ProgramRun run;
    ScopedModalRunner dialogs;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    CodeEditor* editor = m.MEM_Preview;
    FindBar* bar = m->findChild<FindBar*>(QStringLiteral("PNL_Find"));
    QVERIFY(bar);
    const QRect area = editor->geometry();
    // Japanese before the matches: the editor counts UTF-8 bytes, the user characters.
    m.Preview->ReplacePreview({"alpha", "-- 日本語の Beta", "beta gamma", "BETA", "end"}, false);

    // Ctrl+F: the bar under the preview, the keyboard in its field.
    QTest::keySequence(m.window, QKeySequence(Qt::CTRL | Qt::Key_F));
    QVERIFY(bar->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(bar->EDT_Find));
    QCOMPARE(editor->geometry().top(), area.top());
    QCOMPARE(editor->geometry().bottom() + bar->height(), area.bottom());
    QCOMPARE(bar->geometry().bottom(), area.bottom());

    QTest::keyClicks(bar->EDT_Find, QStringLiteral("beta"));
    struct Step {
        const char* how; // Enter, F3, shift+F3, button next or previous
        int line;        // the line of the match shown, from 1
        const char* selected;
    };
    const Step steps[] = {{"enter", 2, "Beta"},      {"F3", 3, "beta"},
                          {"next", 4, "BETA"},       {"F3", 2, "Beta"},
                          {"shift+F3", 4, "BETA"},   {"previous", 3, "beta"},
                          {"shift+enter", 2, "Beta"}};
    for (const Step& step : steps) {
        const QString how = QString::fromLatin1(step.how);
        if (how == u"enter")
            QTest::keyClick(bar->EDT_Find, Qt::Key_Return);
        else if (how == u"shift+enter")
            QTest::keyClick(bar->EDT_Find, Qt::Key_Return, Qt::ShiftModifier);
        else if (how == u"next")
            QTest::mouseClick(bar->BTN_FindNext, Qt::LeftButton);
        else if (how == u"previous")
            QTest::mouseClick(bar->BTN_FindPrevious, Qt::LeftButton);
        else
            QTest::keyClick(bar->EDT_Find, Qt::Key_F3,
                            how == u"F3" ? Qt::NoModifier : Qt::ShiftModifier);
        QCOMPARE(editor->caretLine(), step.line);
        QCOMPARE(editor->selectedText(), QString::fromUtf8(step.selected));
        QVERIFY(!bar->LBL_NotFound->isVisibleTo(bar));
    }

    // Matching case: from line 2 forward, past BETA, round to the start.
    QTest::mouseClick(bar->CHK_MatchCase, Qt::LeftButton);
    QVERIFY(bar->caseSensitive());
    bar->EDT_Find->setText(QStringLiteral("BETA"));
    QTest::keyClick(bar->EDT_Find, Qt::Key_F3);
    QCOMPARE(editor->caretLine(), 4);
    QTest::keyClick(bar->EDT_Find, Qt::Key_F3);
    QCOMPARE(editor->caretLine(), 4);
    QCOMPARE(editor->selectedText(), QStringLiteral("BETA"));
    // Nothing found: said, and the selection stays.
    bar->EDT_Find->setText(QStringLiteral("日本語のbeta"));
    QTest::keyClick(bar->EDT_Find, Qt::Key_Return);
    QVERIFY(bar->LBL_NotFound->isVisibleTo(bar));
    QCOMPARE(editor->selectedText(), QStringLiteral("BETA"));
    bar->EDT_Find->setText(QStringLiteral("日本語の"));
    QVERIFY(!bar->LBL_NotFound->isVisibleTo(bar));
    QTest::keyClick(bar->EDT_Find, Qt::Key_Return);
    QCOMPARE(editor->selectedText(), QStringLiteral("日本語の"));

    // Escape closes the bar: the preview has its place and the keyboard back.
    QTest::keyClick(bar->EDT_Find, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(editor->geometry(), area);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor));
    QCOMPARE(m.Preview->PreviewLines(),
             (QStringList{"alpha", "-- 日本語の Beta", "beta gamma", "BETA", "end"}));

    // Ctrl+G offers the caret's line; the line chosen gets the caret.
    int offered = 0;
    dialogs.answers.append([&](QDialog& dialog) {
        auto& ask = static_cast<GoToLineDialog&>(dialog);
        offered = ask.SPN_Line->value();
        ask.SPN_Line->setValue(5);
        return int(QDialog::Accepted);
    });
    QTest::keySequence(m.window, QKeySequence(Qt::CTRL | Qt::Key_G));
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(offered, 2);
    QCOMPARE(editor->caretLine(), 5);
    QCOMPARE(editor->selectedText(), QString());
    // Cancelled, the caret stays.
    QTest::keySequence(m.window, QKeySequence(Qt::CTRL | Qt::Key_G));
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(editor->caretLine(), 5);
}

void TestPreviewEditor::colouring_data() {
    QTest::addColumn<bool>("vb");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("column"); // in characters
    QTest::addColumn<int>("style");
    const int keyword = VbLexer::Keyword, comment = VbLexer::Comment, string = VbLexer::String,
              plain = VbLexer::Default;
    QTest::newRow("vb keyword") << true << "Public Function Call_Package() as Long" << 7 << keyword;
    QTest::newRow("vb keyword in lower case")
        << true << "Public Function X() as Long" << 20 << keyword;
    QTest::newRow("vb name") << true << "Public Function Call_Package() as Long" << 16 << plain;
    QTest::newRow("vb comment") << true << "\tDim x ' 引数 Dim" << 13 << comment;
    QTest::newRow("vb code before a comment") << true << "\tDim x ' 引数 Dim" << 1 << keyword;
    QTest::newRow("vb string") << true << "\tppSQL = \"Begin Dim\"" << 16 << string;
    QTest::newRow("vb doubled quote in a string")
        << true << "x = \"a\"\"Dim\"\"b\" Dim" << 8 << string;
    QTest::newRow("vb after a string with doubled quotes")
        << true << "x = \"a\"\"Dim\"\"b\" Dim" << 16 << keyword;
    QTest::newRow("vb Rem") << true << "Rem Dim" << 4 << comment;
    QTest::newRow("vb Rem after a colon") << true << "x = 1: Rem Dim" << 11 << comment;
    QTest::newRow("vb Remark is a name") << true << "x = Remark: Dim" << 4 << plain;
    QTest::newRow("vb Japanese name") << true << "Dim 項目名 As Long" << 8 << keyword;
    QTest::newRow("plsql keyword")
        << false << "BEGIN NULL; END;" << 0 << int(QsciLexerSQL::Keyword);
    QTest::newRow("plsql comment")
        << false << "x := 1; -- 初期値 NULL" << 15 << int(QsciLexerSQL::CommentLine);
    QTest::newRow("plsql block comment")
        << false << "/* 説明 NULL */" << 6 << int(QsciLexerSQL::Comment);
    QTest::newRow("plsql string") << false << "x := '日本 END';" << 9
                                  << int(QsciLexerSQL::SingleQuotedString);
    QTest::newRow("plsql number") << false << "x := 42;" << 5 << int(QsciLexerSQL::Number);
    QTest::newRow("plsql data type")
        << false << "x VARCHAR2(40);" << 2 << int(QsciLexerSQL::KeywordSet6);
    QTest::newRow("plsql built-in")
        << false << "x := NVL(y, 0);" << 5 << int(QsciLexerSQL::KeywordSet5);
    QTest::newRow("plsql name") << false << "x := COLUMN_NAME;" << 5
                                << int(QsciLexerSQL::Identifier);
}

void TestPreviewEditor::colouring() {
    QFETCH(bool, vb);
    QFETCH(QString, line);
    QFETCH(int, column);
    QFETCH(int, style);
    ProgramRun run;
    MainView m(run.main());
    const QStringList lines{QStringLiteral("first"), line};
    m.Preview->ReplacePreview(lines, vb);
    CodeEditor* editor = m.MEM_Preview;
    editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
    const long at = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 1L) +
                    long(line.left(column).toUtf8().size());
    QCOMPARE(int(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, at)), style);
    // Colouring never touches the text.
    QCOMPARE(m.Preview->PreviewLines(), lines);
}

void TestPreviewEditor::stylingFollowsWhatIsShown() {
    ProgramRun run;
    MainView m(run.main());
    QVERIFY(logOnAs(run));
    for (const bool vb : {false, true}) {
        QStringList lines;
        for (int k = 0; k < 20000; ++k)
            lines.append(vb ? QStringLiteral("Dim x%1 As Long ' 項目").arg(k)
                            : QStringLiteral("x%1 NUMBER; -- 項目").arg(k));
        m.Preview->ReplacePreview(lines, vb);
        CodeEditor* editor = m.MEM_Preview;
        QTest::qWait(50); // painted
        const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
        const long styled = editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
        QVERIFY2(styled > 0 && styled < length / 10, qPrintable(QString::number(styled)));
        // Going to the end styles what is shown there.
        editor->goToLine(20000);
        const long last = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 19999L);
        QTRY_VERIFY(editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) > last);
        QCOMPARE(int(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, last)),
                 vb ? int(VbLexer::Keyword) : int(QsciLexerSQL::Identifier));
    }
}

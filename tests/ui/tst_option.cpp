#include "tst_option.h"

#include "settings/setting_rules.h"
#include "settings/settings.h"
#include "support/ui_helpers.h"
#include "ui/dialogs/folder_chooser.h"
#include "ui/dialogs/frm_option.h"
#include "ui/widgets/win_ctrl.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

TPackParameters storedSettings() {
    TPackParameters s;
    s.Public = QStringLiteral("PUB_");
    s.SysName = QStringLiteral("販売管理");
    s.Owner = QStringLiteral("tester");
    s.Indent = 4;
    s.RefStrLen = 30;
    s.DefPath = QStringLiteral("/home/tester/out");
    return s;
}

bool sameStored(const TPackParameters& a, const TPackParameters& b) {
    return a.Public == b.Public && a.Custom == b.Custom && a.Set == b.Set && a.Clr == b.Clr &&
           a.INS == b.INS && a.UPD == b.UPD && a.PackName == b.PackName && a.SysName == b.SysName &&
           a.Owner == b.Owner && a.Indent == b.Indent && a.RefStrLen == b.RefStrLen &&
           a.DefPath == b.DefPath && a.VbName == b.VbName;
}

// Replaces a field's text the way a user does: into the field, then leave it.
void retype(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

} // namespace

void TestOption::checks_data() {
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("prefix letter") << "prefix"
                                   << "PUB_" << 0;
    QTest::newRow("prefix letter then digits") << "prefix"
                                               << "a12" << 0;
    QTest::newRow("prefix leading blank") << "prefix"
                                          << "  X_" << 0;
    QTest::newRow("prefix empty") << "prefix"
                                  << "" << 7;
    QTest::newRow("prefix blanks only") << "prefix"
                                        << "   " << 7;
    QTest::newRow("prefix digit first") << "prefix"
                                        << "1AB" << 99;
    QTest::newRow("prefix underscore first") << "prefix"
                                             << "_AB" << 99;
    QTest::newRow("prefix double-byte") << "prefix"
                                        << "Ａ_" << 99;
    QTest::newRow("prefix half-width kana") << "prefix"
                                            << "ｱ_" << 99;
    QTest::newRow("indent number") << "indent"
                                   << "2" << 0;
    QTest::newRow("indent negative") << "indent"
                                     << "-3" << 0;
    QTest::newRow("indent hex") << "indent"
                                << "$F" << 0;
    QTest::newRow("indent leading blank") << "indent"
                                          << " 3" << 0;
    QTest::newRow("indent digit letter") << "indent"
                                         << "3a" << 9;
    QTest::newRow("indent trailing blank") << "indent"
                                           << "3 " << 9;
    QTest::newRow("indent empty") << "indent"
                                  << "" << 9;
    QTest::newRow("indent sign only") << "indent"
                                      << "-" << 9;
    QTest::newRow("strlen number") << "strlen"
                                   << "30" << 0;
    QTest::newRow("strlen letters") << "strlen"
                                    << "ab" << 9;
    QTest::newRow("package empty") << "package"
                                   << "" << 0;
    QTest::newRow("package blanks") << "package"
                                    << "  " << 0;
    QTest::newRow("package letter") << "package"
                                    << "PK_X" << 0;
    QTest::newRow("package leading blank") << "package"
                                           << " PK" << 99;
    QTest::newRow("package digit") << "package"
                                   << "9PK" << 99;
}

void TestOption::checks() {
    QFETCH(QString, check);
    QFETCH(QString, text);
    QFETCH(int, code);
    qint32 result = -1;
    if (check == QLatin1String("prefix"))
        result = TFRM_Option::CheckPrefix(text);
    else if (check == QLatin1String("indent"))
        result = TFRM_Option::CheckIndent(text);
    else if (check == QLatin1String("strlen"))
        result = TFRM_Option::CheckStrLen(text);
    else
        result = TFRM_Option::CheckPackName(text);
    QCOMPARE(result, code);
}

void TestOption::navigatorFollowsTabOrder() {
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QList<QWidget*> expected;
    for (QLineEdit* field : dialog.fields())
        expected.append(field);
    QCOMPARE(dialog.WinCtrl->InputFields, expected);
    QCOMPARE(dialog.WinCtrl->OwnerName, QStringLiteral("FRM_Option"));
    QCOMPARE(dialog.fields().first(), dialog.EDT_Public);
    QCOMPARE(dialog.fields().last(), dialog.EDT_DefPath);
    QCOMPARE(dialog.size(), QSize(510, 243));

    ScopedMessages messages;
    QVERIFY(showActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_Public);
    QList<QWidget*> tabbed;
    for (int i = 0; i < 16; ++i) {
        tabbed.append(QApplication::focusWidget());
        pressKey(Qt::Key_Tab);
    }
    expected += {dialog.BTN_OK, dialog.BTN_Cancel, dialog.BTN_Browse};
    QCOMPARE(tabbed, expected);
}

void TestOption::showFillsFieldsAndClearsMarks() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    retype(dialog.EDT_Public, QString());
    QTest::mouseClick(dialog.EDT_Custom, Qt::LeftButton);
    QCOMPARE(dialog.WinCtrl->FieldErrorCode(0), TFRM_Option::PrefixMissing);
    dialog.reject();

    settings.Indent = -2;
    QVERIFY(showActive(&dialog));
    QCOMPARE(dialog.WinCtrl->FieldErrorCode(0), 0);
    QVERIFY(TWinCtrl::fieldColor(dialog.EDT_Public) != dialog.WinCtrl->ErrorColor);
    QCOMPARE(dialog.EDT_Public->text(), QStringLiteral("PUB_"));
    QCOMPARE(dialog.EDT_Indent->text(), QStringLiteral("-2"));
    QCOMPARE(dialog.EDT_STRLEN->text(), QStringLiteral("30"));
    QCOMPARE(dialog.EDT_SysName->text(), QStringLiteral("販売管理"));
    QCOMPARE(dialog.EDT_VbName->text(), QStringLiteral("MOD_ParamSet"));
    QCOMPARE(dialog.EDT_DefPath->text(), QStringLiteral("/home/tester/out"));
}

void TestOption::leavingEmptyPrefixMarksItRed() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_Public);
    retype(dialog.EDT_Public, QString());
    pressKey(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_Custom);
    QCOMPARE(dialog.WinCtrl->FieldErrorCode(0), TFRM_Option::PrefixMissing);
    QCOMPARE(TWinCtrl::fieldColor(dialog.EDT_Public), QColor(255, 0, 0));
    QCOMPARE(TWinCtrl::fieldColor(dialog.EDT_Custom), QColor(255, 255, 0));
}

void TestOption::okReportsFirstInvalidField() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    const TPackParameters before = settings;
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));

    // The later field goes wrong first; the lower tab order is still reported first.
    retype(dialog.EDT_Indent, QStringLiteral("3a"));
    retype(dialog.EDT_SET, QStringLiteral("1X"));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);
    QCOMPARE(messages.reporter.messages.size(), 1);
    const RecordingReporter::Message& shown = messages.reporter.messages.first();
    QCOMPARE(shown.caption, QStringLiteral("Tamsel"));
    QCOMPARE(shown.icon, MessageIcon::Information);
    QCOMPARE(shown.buttons, MessageButtons::Ok);
    QCOMPARE(shown.text, QStringLiteral("名称の先頭は英字を指定してください"));
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_SET);
    QVERIFY(dialog.isVisible());
    QVERIFY(sameStored(settings, before));

    retype(dialog.EDT_SET, QStringLiteral("SET_"));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);
    QCOMPARE(messages.reporter.texts().last(), QStringLiteral("数値を入力してください"));
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_Indent);
    QVERIFY(dialog.isVisible());
    QVERIFY(sameStored(settings, before));
}

void TestOption::okStoresTrimmedValues() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    retype(dialog.EDT_Public, QStringLiteral(" P1_ "));
    retype(dialog.EDT_Indent, QStringLiteral("-3"));
    retype(dialog.EDT_STRLEN, QStringLiteral("$F"));
    retype(dialog.EDT_PackName, QStringLiteral("   "));
    retype(dialog.EDT_Owner, QStringLiteral(" 山田 "));
    retype(dialog.EDT_VbName, QStringLiteral("MOD_X\t"));
    retype(dialog.EDT_DefPath, QStringLiteral(" /tmp/out "));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);

    QVERIFY(messages.reporter.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(settings.Public, QStringLiteral("P1_"));
    QCOMPARE(settings.Indent, -3);
    QCOMPARE(settings.RefStrLen, 15);
    QCOMPARE(settings.PackName, QString());
    QCOMPARE(settings.Owner, QStringLiteral("山田"));
    QCOMPARE(settings.VbName, QStringLiteral("MOD_X"));
    QCOMPARE(settings.DefPath, QStringLiteral("/tmp/out"));
    QCOMPARE(settings.Custom, QStringLiteral("MAIN_"));
}

void TestOption::okRefusesWhatTheSettingsFileCannotHold_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text"); // typed, or for EDT_DefPath the value shown
    QTest::addColumn<QString>("character");
    QTest::newRow("system name") << "EDT_SysName"
                                 << "Café"
                                 << "é";
    QTest::newRow("prefix") << "EDT_Public"
                            << "A€_"
                            << "€";
    QTest::newRow("folder never entered") << "EDT_DefPath"
                                          << "/tmp/ü"
                                          << "ü";
    QTest::newRow("control character in a folder never entered") << "EDT_DefPath"
                                                                 << "/tmp/a\tb"
                                                                 << "U+0009";
}

void TestOption::okRefusesWhatTheSettingsFileCannotHold() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, character);
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    if (field == "EDT_DefPath")
        settings.DefPath = text; // as the folder chooser or a UTF-8 settings file puts it
    const TPackParameters before = settings;
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    auto* edit = dialog.findChild<QLineEdit*>(field);
    if (field != "EDT_DefPath")
        retype(edit, text);
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);

    QCOMPARE(messages.reporter.texts(),
             QStringList{firstControlCharacter(text)
                             ? "制御文字 " + character + " があります"
                             : "Shift-JISで保存できない文字があります：「" + character + "」"});
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(dialog.isVisible());
    QVERIFY(sameStored(settings, before));
    QTest::mouseClick(dialog.EDT_Indent, Qt::LeftButton);
    QCOMPARE(TWinCtrl::fieldColor(edit), QColor(255, 0, 0));
}

void TestOption::fieldNeverEnteredIsStoredUnchecked() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    settings.Custom = QString(); // as a settings file may hold it
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);
    QVERIFY(messages.reporter.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.Custom, QString());
}

void TestOption::enterInDefPathAcceptsAndEnterInFieldDoesNot() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    retype(dialog.EDT_VbName, QStringLiteral("MOD_Y"));
    pressKey(Qt::Key_Return); // moves on, does not accept
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_DefPath);
    QVERIFY(dialog.isVisible());
    pressKey(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_VbName);
    pressKey(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_DefPath);
    pressKey(Qt::Key_Down); // does nothing in the last field
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_DefPath);
    pressKey(Qt::Key_Return);
    QCOMPARE(dialog.WinCtrl->LastKey, quint16(13));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(settings.VbName, QStringLiteral("MOD_Y"));
}

void TestOption::cancelAndCloseBoxStoreNothing() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    const TPackParameters before = settings;
    TFRM_Option dialog(settings);
    for (int way = 0; way < 3; ++way) {
        QVERIFY(showActive(&dialog));
        retype(dialog.EDT_Public, QStringLiteral("NEW_"));
        if (way == 0)
            QTest::mouseClick(dialog.BTN_Cancel, Qt::LeftButton);
        else if (way == 1)
            dialog.close();
        else
            pressKey(Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(sameStored(settings, before));
    }
}

void TestOption::typingLimitKeepsLongPreset() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    settings.Owner = QStringLiteral("administrator01"); // 15 characters
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    QCOMPARE(dialog.EDT_Owner->text(), QStringLiteral("administrator01"));
    QTest::mouseClick(dialog.BTN_OK, Qt::LeftButton);
    QCOMPARE(settings.Owner, QStringLiteral("administrator01"));

    QVERIFY(showActive(&dialog));
    retype(dialog.EDT_Owner, QStringLiteral("abcdefghijklmn"));
    QCOMPARE(dialog.EDT_Owner->text(), QStringLiteral("abcdefghij"));
    retype(dialog.EDT_Indent, QStringLiteral("123"));
    QCOMPARE(dialog.EDT_Indent->text(), QStringLiteral("12"));
    retype(dialog.EDT_SysName, QString(40, QLatin1Char('s')));
    QCOMPARE(dialog.EDT_SysName->text().size(), 40);
}

void TestOption::singleByteFields() {
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    const QList<QLineEdit*> imeOn = {dialog.EDT_SysName, dialog.EDT_Owner, dialog.EDT_DefPath};
    for (QLineEdit* field : dialog.fields())
        QVERIFY2(field->testAttribute(Qt::WA_InputMethodEnabled) == imeOn.contains(field),
                 qPrintable(field->objectName()));
}

void TestOption::browseSetsFolder() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    QStringList starts;
    std::optional<QString> answer = QStringLiteral("/srv/generated");
    const FolderChooserRunner previous =
        setFolderChooser([&](QWidget*, const QString& start) -> std::optional<QString> {
            starts.append(start);
            return answer;
        });
    QTest::mouseClick(dialog.BTN_Browse, Qt::LeftButton);
    QCOMPARE(dialog.EDT_DefPath->text(), QStringLiteral("/srv/generated"));
    answer.reset();
    QTest::mouseClick(dialog.BTN_Browse, Qt::LeftButton);
    QCOMPARE(dialog.EDT_DefPath->text(), QStringLiteral("/srv/generated"));
    setFolderChooser(previous);
    QCOMPARE(starts,
             (QStringList{QStringLiteral("/home/tester/out"), QStringLiteral("/srv/generated")}));
    QCOMPARE(dialog.WinCtrl->FieldErrorCode(12), 0);
}

void TestOption::folderChooserAsksAndCreates() {
    ScopedMessages messages;
    QTemporaryDir root;
    const QString wanted = QDir(root.path()).filePath(QStringLiteral("a/b/出力"));
    FolderChooser chooser(nullptr, root.path());
    QCOMPARE(chooser.windowTitle(), QStringLiteral("ディレクトリの選択"));
    chooser.show();
    chooser.selectFile(wanted);

    messages.reporter.answers = {MessageAnswer::No};
    chooser.accept();
    QCOMPARE(messages.reporter.texts(),
             QStringList{QStringLiteral("指定されたディレクトリが存在しません。作成しますか？")});
    QCOMPARE(messages.reporter.messages.first().buttons, MessageButtons::YesNo);
    QVERIFY(chooser.isVisible());
    QVERIFY(!QFileInfo::exists(wanted));

    messages.reporter.answers = {MessageAnswer::Yes};
    chooser.accept();
    QVERIFY(QFileInfo(wanted).isDir());
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.chosenFolder(), QDir::toNativeSeparators(wanted));

    // An existing folder is taken without a question.
    FolderChooser again(nullptr, root.path());
    again.show();
    again.selectFile(wanted);
    again.accept();
    QCOMPARE(messages.reporter.messages.size(), 2);
    QCOMPARE(again.chosenFolder(), QDir::toNativeSeparators(wanted));
}

void TestOption::laterShowingReturnsFocus() {
    ScopedMessages messages;
    TPackParameters settings = storedSettings();
    TFRM_Option dialog(settings);
    QVERIFY(showActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.EDT_Public);
    QVERIFY(TWinCtrl::fieldColor(dialog.EDT_Public) == dialog.WinCtrl->FocusColor);
    QTest::mouseClick(dialog.EDT_Indent, Qt::LeftButton);
    dialog.BTN_OK->setFocus(Qt::TabFocusReason);
    pressKey(Qt::Key_Return); // Enter on the focused button presses it
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QVERIFY(showActive(&dialog));
    QTRY_COMPARE(QApplication::focusWidget(), dialog.BTN_OK);
    QTest::mouseClick(dialog.EDT_Indent, Qt::LeftButton);
    dialog.reject();
    QVERIFY(showActive(&dialog));
    QTRY_COMPARE(QApplication::focusWidget(), dialog.EDT_Indent);
    QCOMPARE(TWinCtrl::fieldColor(dialog.EDT_Indent), dialog.WinCtrl->FocusColor);
}

#include "ui/dialogs/frm_reference.h"

#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/widgets/enter_clicks.h"
#include "ui/widgets/placed_label.h"
#include "ui/widgets/typing_limit.h"
#include "ui/window_geometry.h"
#include "util/integer_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>

namespace {

QRadioButton* radio(QGroupBox* group, const char* name, const QString& text, int top) {
    auto* r = new QRadioButton(text, group);
    r->setObjectName(QLatin1String(name));
    r->setGeometry(8, top, 80, 17);
    return r;
}

QLineEdit* countEdit(QGroupBox* group, const char* name) {
    auto* e = new QLineEdit(group);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(52, 56, 20, 20);
    setTypingLimit(e, 2);
    e->setAttribute(Qt::WA_InputMethodEnabled, false); // digits only
    return e;
}

QPushButton* glyphButton(QWidget* parent, const char* name, const QString& text,
                         QStyle::StandardPixmap glyph, int left) {
    auto* b = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 149, 65, 25);
    // Enter clicks the focused button; elsewhere it means OK (the default button), never
    // the clear button that happens to come first.
    b->setAutoDefault(false);
    clickOnEnter(b);
    return b;
}

// Tab enters a group of choices at the checked one, also when the program checked it.
void tabToCheckedChoice(QRadioButton* first, QRadioButton* second) {
    const auto takeTabWhenChecked = [](QRadioButton* button, QRadioButton* other) {
        QObject::connect(button, &QRadioButton::toggled, button, [button, other](bool checked) {
            if (!checked)
                return;
            button->setFocusPolicy(Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus));
            other->setFocusPolicy(Qt::FocusPolicy(other->focusPolicy() & ~Qt::TabFocus));
        });
    };
    takeTabWhenChecked(first, second);
    takeTabWhenChecked(second, first);
}

} // namespace

TFRM_Reference::TFRM_Reference(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_Reference"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(385, 182);
    createControls();
    // Placed now as well, so that the first showing keeps this place rather than being
    // centred on a parent.
    placeWindow(this, 3);
}

void TFRM_Reference::createControls() {
    LST_RefTables = new QListWidget(this);
    LST_RefTables->setObjectName(QStringLiteral("LST_RefTables"));
    LST_RefTables->setGeometry(5, 8, 165, 165);
    // A click toggles one table, so a preset selection is not lost by a plain click.
    LST_RefTables->setSelectionMode(QAbstractItemView::MultiSelection);

    Label1 = placedLabel(this, "Label1", QStringLiteral("<<汎用引数設定>>"), 185, 10);

    GroupBox1 = new QGroupBox(QStringLiteral("VARCHAR2"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(187, 26, 92, 83);
    RDB_STRON = radio(GroupBox1, "RDB_STRON", QStringLiteral("作成する"), 16);
    RDB_STROFF = radio(GroupBox1, "RDB_STROFF", QStringLiteral("作成しない"), 34);
    Label2 = placedLabel(GroupBox1, "Label2", QStringLiteral("作成数"), 10, 60);
    EDT_STRCNT = countEdit(GroupBox1, "EDT_STRCNT");

    GroupBox2 = new QGroupBox(QStringLiteral("NUMBER"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(284, 26, 92, 84);
    RDB_NUMON = radio(GroupBox2, "RDB_NUMON", QStringLiteral("作成する"), 16);
    RDB_NUMOFF = radio(GroupBox2, "RDB_NUMOFF", QStringLiteral("作成しない"), 34);
    Label3 = placedLabel(GroupBox2, "Label3", QStringLiteral("作成数"), 10, 60);
    EDT_NUMCNT = countEdit(GroupBox2, "EDT_NUMCNT");

    tabToCheckedChoice(RDB_STRON, RDB_STROFF);
    tabToCheckedChoice(RDB_NUMON, RDB_NUMOFF);
    // What a table never edited shows; the caller presets every showing anyway.
    RDB_STROFF->setChecked(true);
    RDB_NUMOFF->setChecked(true);

    Label4 = placedLabel(this, "Label4", QStringLiteral("※作成数はVBソース作成時に使用"), 189, 115);
    Label5 = placedLabel(this, "Label5", QStringLiteral("引数は配列で渡されます"), 244, 129);

    BTN_Clear =
        glyphButton(this, "BTN_Clear", QStringLiteral("ｸﾘｱ"), QStyle::SP_DialogResetButton, 179);
    BTN_Cancel = glyphButton(this, "BTN_Cancel", QStringLiteral("Cancel"),
                             QStyle::SP_DialogCancelButton, 247);
    BTN_OK = glyphButton(this, "BTN_OK", QStringLiteral("OK"), QStyle::SP_DialogOkButton, 315);
    BTN_OK->setDefault(true);

    const QList<QWidget*> tabOrder{LST_RefTables, RDB_STRON,  RDB_STROFF, EDT_STRCNT, RDB_NUMON,
                                   RDB_NUMOFF,    EDT_NUMCNT, BTN_Clear,  BTN_Cancel, BTN_OK};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(BTN_Clear, &QPushButton::clicked, this,
            [this] { runGuarded([this] { BTN_ClearClick(); }); });
    connect(BTN_Cancel, &QPushButton::clicked, this,
            [this] { runGuarded([this] { BTN_CancelClick(); }); });
    connect(BTN_OK, &QPushButton::clicked, this, [this] { runGuarded([this] { BTN_OKClick(); }); });
}

QString TFRM_Reference::countsNotNumericText() {
    return QStringLiteral("作成数、項目長には数値を入力してください");
}

void TFRM_Reference::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from minimized is no new showing.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TFRM_Reference::FormShow() {
    placeWindow(this, 3);
}

void TFRM_Reference::BTN_ClearClick() {
    LST_RefTables->clearSelection();
    RDB_STROFF->setChecked(true);
    RDB_NUMOFF->setChecked(true);
}

void TFRM_Reference::BTN_OKClick() {
    // The counts are checked whatever the radio buttons say; the string count first, and
    // the number count only when that one passed.
    if (IsNumeric(EDT_STRCNT->text()) && IsNumeric(EDT_NUMCNT->text())) {
        accept();
        return;
    }
    // The focus stays where it was: the user knows which count they typed.
    messages().showTitled(MessageIcon::Warning, MessageButtons::Ok, countsNotNumericText());
}

void TFRM_Reference::BTN_CancelClick() {
    reject();
}

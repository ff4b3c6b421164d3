#include "ui/widgets/find_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Buttons leave the keyboard in the field when clicked, so Enter goes on searching.
QPushButton* barButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = named(new QPushButton(text, parent), name);
    b->setFocusPolicy(Qt::TabFocus);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    LBL_Find = named(new QLabel(QStringLiteral("検索"), this), "LBL_Find");
    EDT_Find = named(new QLineEdit(this), "EDT_Find");
    EDT_Find->setMinimumWidth(60);
    LBL_Find->setBuddy(EDT_Find);
    BTN_FindNext = barButton(this, "BTN_FindNext", QStringLiteral("次へ"));
    BTN_FindPrevious = barButton(this, "BTN_FindPrevious", QStringLiteral("前へ"));
    CHK_MatchCase =
        named(new QCheckBox(QStringLiteral("大文字と小文字を区別"), this), "CHK_MatchCase");
    CHK_MatchCase->setFocusPolicy(Qt::TabFocus);
    LBL_NotFound = named(new QLabel(QStringLiteral("見つかりません"), this), "LBL_NotFound");
    LBL_NotFound->setVisible(false);
    BTN_FindClose = named(new QToolButton(this), "BTN_FindClose");
    BTN_FindClose->setText(QStringLiteral("×"));
    BTN_FindClose->setAutoRaise(true);
    BTN_FindClose->setFocusPolicy(Qt::NoFocus);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(4);
    row->addWidget(LBL_Find);
    row->addWidget(EDT_Find, 1);
    row->addWidget(BTN_FindNext);
    row->addWidget(BTN_FindPrevious);
    row->addWidget(CHK_MatchCase);
    row->addWidget(LBL_NotFound);
    row->addWidget(BTN_FindClose);
    for (QPushButton* b : {BTN_FindNext, BTN_FindPrevious})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);

    EDT_Find->installEventFilter(this);
    connect(BTN_FindNext, &QPushButton::clicked, this, [this] { emit findRequested(true); });
    connect(BTN_FindPrevious, &QPushButton::clicked, this, [this] { emit findRequested(false); });
    connect(BTN_FindClose, &QToolButton::clicked, this, &FindBar::closeRequested);
    connect(EDT_Find, &QLineEdit::textChanged, this, [this] { setFound(true); });
    connect(CHK_MatchCase, &QCheckBox::toggled, this, [this] { setFound(true); });
}

QString FindBar::text() const {
    return EDT_Find->text();
}

bool FindBar::caseSensitive() const {
    return CHK_MatchCase->isChecked();
}

void FindBar::open(const QString& text) {
    if (!text.isEmpty())
        EDT_Find->setText(text);
    show();
    EDT_Find->setFocus(Qt::ShortcutFocusReason);
    EDT_Find->selectAll();
}

void FindBar::setFound(bool found) {
    if (found) {
        EDT_Find->setPalette(QPalette());
    } else {
        QPalette palette = EDT_Find->palette();
        palette.setColor(QPalette::Base, QColor(0xff, 0xd0, 0xd0));
        EDT_Find->setPalette(palette);
    }
    LBL_NotFound->setVisible(!found);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EDT_Find && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findRequested(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

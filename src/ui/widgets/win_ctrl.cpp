#include "ui/widgets/win_ctrl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QHash>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

// Position of every widget in the window's focus chain: the tab order.
QHash<const QWidget*, int> tabOrders(QWidget* owner) {
    QHash<const QWidget*, int> orders;
    int position = 0;
    for (QWidget* w = owner->nextInFocusChain(); w && w != owner && !orders.contains(w);
         w = w->nextInFocusChain())
        orders.insert(w, position++);
    return orders;
}

// Quicksort by tab order with the first element of the range as the pivot.
void sortByTabOrder(QList<QWidget*>& fields, const QHash<const QWidget*, int>& order, int left,
                    int right) {
    if (left >= right)
        return;
    const int pivot = order.value(fields[left]);
    int i = left;
    int j = right + 1;
    for (;;) {
        do
            ++i;
        while (i <= right && order.value(fields[i]) < pivot);
        do
            --j;
        while (order.value(fields[j]) > pivot);
        if (j <= i)
            break;
        fields.swapItemsAt(i, j);
    }
    fields.swapItemsAt(left, j);
    sortByTabOrder(fields, order, left, j - 1);
    sortByTabOrder(fields, order, j + 1, right);
}

bool listDroppedDown(const QWidget* field) {
    const auto* combo = qobject_cast<const QComboBox*>(field);
    return combo && combo->view() && combo->view()->isVisible();
}

} // namespace

TWinCtrl::TWinCtrl(QWidget* owner)
    : QObject(owner), NormalColor(QGuiApplication::palette().color(QPalette::Base)) {}

bool TWinCtrl::isInputField(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QComboBox*>(widget);
}

qint32 TWinCtrl::Tag(const QWidget* field) {
    return field ? field->property("Tag").toInt() : 0;
}

QColor TWinCtrl::fieldColor(const QWidget* field) {
    return field->palette().color(QPalette::Base);
}

void TWinCtrl::Collect(QWidget* owner) {
    OwnerName = owner->objectName();
    InputFields.clear();
    for (QObject* child : owner->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && isInputField(widget))
            InputFields.append(widget);
    }
    FieldStates = QList<TCtrlAttribute>(InputFields.size());
    sortByTabOrder(InputFields, tabOrders(owner), 0, LastIndex());

    for (qsizetype i = 0; i < InputFields.size(); ++i) {
        const QString tag = QString::number(Tag(InputFields[i]));
        TCtrlAttribute& state = FieldStates[i];
        if (tag.size() == 5 && tag.front() == QLatin1Char('5')) {
            state.ForwardStep = tag.mid(1, 2).toInt();
            state.BackStep = tag.mid(3, 2).toInt();
        } else {
            state.ForwardStep = 1;
            state.BackStep = 1;
        }
    }
}

void TWinCtrl::FieldEnter(QWidget* field) {
    if (!KeyMove)
        LastKey = KeyOther;
    KeyMove = false;
    PreviousIndex = CurrentIndex;
    const qsizetype found = InputFields.indexOf(field);
    if (found >= 0)
        CurrentIndex = qint32(found);

    const qint32 tag = Tag(field);
    const int mode = tag > 0 ? QString::number(tag).front().digitValue() : 0;
    const bool forwardKey = LastKey == KeyEnter || LastKey == KeyDown;
    const bool upKey = LastKey == KeyUp;
    switch (mode) {
    case 1: // never keeps the focus
        if (forwardKey)
            FocusNext();
        else if (upKey)
            FocusPrevious();
        else
            FocusField(PreviousIndex);
        return;
    case 2: // passed over by the keys, can be clicked into
        if (forwardKey)
            FocusNext();
        else if (upKey)
            FocusPrevious();
        else
            paint(field, FocusColor);
        return;
    case 3: // reached with the Up arrow only
        if (forwardKey)
            FocusNext();
        else if (upKey)
            paint(field, FocusColor);
        else
            FocusField(PreviousIndex);
        return;
    case 4: // passed over when moving forward
        if (forwardKey)
            FocusNext();
        else
            paint(field, FocusColor);
        return;
    default:
        paint(field, FocusColor);
    }
}

void TWinCtrl::FieldExit() {
    if (CurrentIndex < 0 || CurrentIndex > LastIndex())
        return;
    TCtrlAttribute& state = FieldStates[CurrentIndex];
    state.ErrorCode = CheckField();
    paint(InputFields[CurrentIndex], state.ErrorCode != 0 ? ErrorColor : NormalColor);
    state.LastText = FieldText(CurrentIndex);
}

void TWinCtrl::FieldKeyDown(quint16& key, Qt::KeyboardModifiers shift) {
    switch (key) {
    case KeyEnter:
        LastKey = KeyEnter;
        FocusNext();
        key = 0;
        break;
    case KeyUp:
        if (listDroppedDown(FieldAt(CurrentIndex)))
            return;
        LastKey = KeyUp;
        FocusPrevious();
        key = 0;
        break;
    case KeyDown:
        // Alt+Down opens a combo box's list.
        if (listDroppedDown(FieldAt(CurrentIndex)) || shift.testFlag(Qt::AltModifier))
            return;
        LastKey = KeyDown;
        FocusNext();
        key = 0;
        break;
    default:
        break;
    }
}

void TWinCtrl::FieldKeyPress(QChar& key) {
    if (key == QLatin1Char('\r'))
        key = QChar();
}

void TWinCtrl::FocusNext() {
    if (CurrentIndex < 0 || CurrentIndex >= LastIndex())
        return;
    const qint32 target = CurrentIndex + FieldStates[CurrentIndex].ForwardStep;
    if (target > LastIndex())
        return;
    KeyMove = true;
    FocusField(target);
}

void TWinCtrl::FocusPrevious() {
    if (CurrentIndex <= 0 || CurrentIndex > LastIndex())
        return;
    const qint32 target = CurrentIndex - FieldStates[CurrentIndex].BackStep;
    if (target < 0)
        return;
    KeyMove = true;
    FocusField(target);
}

void TWinCtrl::FocusField(qint32 index) {
    if (index >= 0 && index <= LastIndex())
        InputFields[index]->setFocus(Qt::OtherFocusReason);
}

qint32 TWinCtrl::CheckField() {
    return fieldCheck_ ? fieldCheck_() : 0;
}

qint32 TWinCtrl::FieldErrorCode(qint32 index) const {
    return index >= 0 && index <= LastIndex() ? FieldStates[index].ErrorCode : 0;
}

QWidget* TWinCtrl::FieldAt(qint32 index) const {
    return index >= 0 && index <= LastIndex() ? InputFields[index] : nullptr;
}

QString TWinCtrl::FieldText(qint32 index) const {
    const QWidget* field = FieldAt(index);
    if (const auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(field))
        return memo->toPlainText();
    if (const auto* rich = qobject_cast<const QTextEdit*>(field))
        return rich->toPlainText();
    if (const auto* combo = qobject_cast<const QComboBox*>(field))
        return combo->currentText();
    return {};
}

void TWinCtrl::ClearErrors(bool all, qint32 first, qint32 last) {
    if (all) {
        first = 0;
        last = LastIndex();
    }
    first = std::max(first, 0);
    last = std::min(last, LastIndex());
    for (qint32 i = first; i <= last; ++i) {
        FieldStates[i].ErrorCode = 0;
        FieldStates[i].LastText.clear();
    }
}

void TWinCtrl::ClearFields(bool all, qint32 first, qint32 last) {
    ClearErrors(all, first, last);
    if (all) {
        first = 0;
        last = LastIndex();
    }
    first = std::max(first, 0);
    last = std::min(last, LastIndex());
    for (qint32 i = first; i <= last; ++i) {
        paint(InputFields[i], NormalColor);
        clearContent(InputFields[i]);
    }
}

void TWinCtrl::paint(QWidget* field, const QColor& color) const {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, color);
    // A combo box without an edit paints its face in the button colour.
    if (qobject_cast<QComboBox*>(field))
        palette.setColor(QPalette::Button, color);
    field->setPalette(palette);
    field->update();
}

void TWinCtrl::clearContent(QWidget* field) const {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(field))
        memo->clear();
    else if (auto* rich = qobject_cast<QTextEdit*>(field))
        rich->clear();
    else if (auto* combo = qobject_cast<QComboBox*>(field)) {
        if (combo->isEditable())
            combo->clearEditText();
        else
            combo->setCurrentIndex(-1);
    }
}

#include "ui/widgets/field_events.h"

#include "ui/messages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

FieldEvents::FieldEvents(QObject* parent, Handlers handlers)
    : QObject(parent), handlers_(std::move(handlers)) {}

void FieldEvents::watch(QWidget* field) {
    fields_.insert(field);
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this](QObject* gone) { fields_.remove(gone); });
}

quint16 FieldEvents::keyCode(const QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    // Letters and digits carry their own codes; every other key shares one.
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return quint16(key);
    return 0xFF;
}

bool FieldEvents::isWindowFocusChange(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event) {
    if (!fields_.contains(watched))
        return false;
    auto* field = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        return focusIn(field, static_cast<QFocusEvent*>(event)->reason());
    case QEvent::FocusOut:
        focusOut(field, static_cast<QFocusEvent*>(event)->reason());
        return false;
    case QEvent::KeyPress:
        return keyPress(field, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool FieldEvents::focusIn(QWidget* field, Qt::FocusReason reason) {
    const QPointer<QWidget> held = std::exchange(held_, nullptr);
    if (isWindowFocusChange(reason) && held == field)
        return false; // the window got its focus back: the field never left
    if (held && held != field && handlers_.exit)
        runGuarded([&] { handlers_.exit(held); });
    if (handlers_.enter)
        runGuarded([&] { handlers_.enter(field); });
    // An entry that moved the focus on must not leave this field acting as focused.
    return field->window()->focusWidget() != field;
}

void FieldEvents::focusOut(QWidget* field, Qt::FocusReason reason) {
    if (isWindowFocusChange(reason)) {
        held_ = field;
        return;
    }
    held_ = nullptr;
    if (handlers_.exit)
        runGuarded([&] { handlers_.exit(field); });
}

bool FieldEvents::keyPress(QWidget* field, QKeyEvent* event) {
    quint16 key = keyCode(event);
    if (handlers_.keyDown) {
        runGuarded([&] { handlers_.keyDown(field, key, event->modifiers()); });
        if (key == 0)
            return true;
    }
    if (handlers_.keyPress && !event->text().isEmpty()) {
        QChar character = event->text().front();
        runGuarded([&] { handlers_.keyPress(field, character); });
        if (character.isNull())
            return true;
    }
    return false;
}

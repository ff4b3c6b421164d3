#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>

class QKeyEvent;
class QWidget;

// Turns Qt's focus and key events of a data-entry window's input fields into the window's
// entry, exit, key-down and key-press handlers, which forward them to the navigator.
//
// Qt moves the focus out of a field and back whenever a message box, a pop-up, the menu
// bar or another application takes the window's focus, or the window is hidden and shown
// again. Those are not entries or exits: they run no handler, so no check runs and LastKey
// stays. When the program moved the focus to another field meanwhile (Qt delivers that only
// when the window is active again), the exit and entry run then.
//
// Key-down sees the Windows key codes 13 (Enter), 38 (Up) and 40 (Down), and another
// non-zero code for every other key; a handler that sets the code to 0 consumes the key.
// Key-press sees the character the key types; setting it to 0 consumes it. Whatever a
// handler throws goes to the general error display.
class FieldEvents : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(QWidget* field)> enter;
        std::function<void(QWidget* field)> exit;
        std::function<void(QWidget* field, quint16& key, Qt::KeyboardModifiers shift)> keyDown;
        std::function<void(QWidget* field, QChar& key)> keyPress;
    };

    FieldEvents(QObject* parent, Handlers handlers);

    void watch(QWidget* field);

    static quint16 keyCode(const QKeyEvent* event);
    // A focus change that only the window's own activation caused.
    static bool isWindowFocusChange(Qt::FocusReason reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool focusIn(QWidget* field, Qt::FocusReason reason);
    void focusOut(QWidget* field, Qt::FocusReason reason);
    bool keyPress(QWidget* field, QKeyEvent* event);

    Handlers handlers_;
    QSet<QObject*> fields_;
    QPointer<QWidget> held_; // the field that had the focus when the window lost it
};

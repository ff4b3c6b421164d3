#pragma once

// Helpers for tests of the windows (targets that link tamsel_ui).

#include "support/recording_reporter.h"
#include "ui/messages.h"
#include "ui/seams.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

// Records every message of the windows (and answers their questions) for its lifetime.
class ScopedMessages {
public:
    ScopedMessages() : previous_(setMessages(&reporter)) {}
    ~ScopedMessages() { setMessages(previous_); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

    RecordingReporter reporter;

private:
    Reporter* previous_;
};

// Points the executable's folder somewhere else for its lifetime.
class ScopedExecutableFolder {
public:
    explicit ScopedExecutableFolder(const QString& folder)
        : previous_(setExecutableFolder(folder)) {}
    ~ScopedExecutableFolder() { setExecutableFolder(previous_); }
    ScopedExecutableFolder(const ScopedExecutableFolder&) = delete;
    ScopedExecutableFolder& operator=(const ScopedExecutableFolder&) = delete;

private:
    QString previous_;
};

// Opens whatever the desktop is asked to open into a list.
class ScopedDesktop {
public:
    ScopedDesktop()
        : previous_(setDesktopOpener([this](const QString& target) {
              opened.append(target);
              return true;
          })) {}
    ~ScopedDesktop() { setDesktopOpener(previous_); }
    ScopedDesktop(const ScopedDesktop&) = delete;
    ScopedDesktop& operator=(const ScopedDesktop&) = delete;

    QStringList opened;

private:
    DesktopOpener previous_;
};

// Shows a window and waits until it is the active one (a display without a window manager
// activates only on request).
inline bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Types text into a widget with key events that carry it (QTest::keyClicks cannot send
// characters outside Latin-1).
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// A key press as the focused widget gets it.
inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY2(target, "no widget has the focus");
    QTest::keyClick(target, key, modifiers);
}

#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// A control's hint: the text the main window's status bar shows while the mouse moves over
// the control. Kept apart from Qt's tool tip, which would pop up.
inline void setControlHint(QObject* control, const QString& hint) {
    control->setProperty("Hint", hint);
}

inline QString controlHint(const QObject* control) {
    return control->property("Hint").toString();
}

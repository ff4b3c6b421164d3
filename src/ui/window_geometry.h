#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window of the given outer size goes: left = (screen width - window width) / 2,
// top = (screen height - window height) / topDivisor, both truncating toward zero (a
// window larger than the screen gets a negative position). Most windows use a third of the
// free height above them; the version and progress windows use a half.
QPoint placedPosition(QSize screen, QSize window, int topDivisor);

// Places the window on the primary screen by its current outer size.
void placeWindow(QWidget* window, int topDivisor);

// The outer geometry of a window whose size comes from the settings file, which may hold
// anything: the size at least minimum, then at most the available area (the screen less
// its panels); placed by placedPosition on the screen, then moved the least that keeps it
// within the available area.
QRect placedOnScreen(QRect screen, QRect available, QSize stored, QSize minimum, int topDivisor);

// Gives the window that outer geometry on the primary screen.
void placeStoredWindow(QWidget* window, QSize stored, QSize minimum, int topDivisor);

// The outer (frame) size of a window; the client size while it has no frame yet.
QSize outerSize(const QWidget* window);

// Gives the window this outer size. The frame is known only once the window is shown under
// a window manager, so the window keeps the size in mind and corrects its client size when
// the frame arrives, unless the user has resized it in between: a size stored at exit thus
// comes back as the same frame size and never grows from run to run. With fixed, the user
// cannot resize the window.
void setOuterSize(QWidget* window, QSize outer, bool fixed = false);

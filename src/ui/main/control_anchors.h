#pragma once

#include <QFlags>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Which edges of its parent a control keeps its distance to when the parent is resized.
enum class Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Anchors, Anchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors)

// Where a control laid out at design in a parent of designClient size goes in a parent of
// client size. Anchored to left and right it stretches with the width, to the right only it
// moves with the right edge, to neither it keeps its centre in proportion; the same for
// top and bottom.
QRect anchoredGeometry(QRect design, QSize designClient, QSize client, Anchors anchors);

// The anchored controls of one parent, with the geometry each had when it was anchored.
// The parent's resize handler calls apply; Qt has no anchors of its own.
class ControlAnchors {
public:
    // Remembers the control's current geometry as laid out for a parent of designClient.
    void add(QWidget* control, Anchors anchors, QSize designClient);
    void apply(QSize client) const;

private:
    struct Entry {
        QPointer<QWidget> control;
        Anchors anchors;
        QRect design;
        QSize designClient;
    };
    QList<Entry> entries_;
};

#include "ui/main/control_anchors.h"

#include <QWidget>

namespace {

// One axis: start and length of a control at design in a parent of designLength.
std::pair<int, int> anchoredSpan(int start, int length, int designLength, int newLength,
                                 bool nearEdge, bool farEdge) {
    const int grown = newLength - designLength;
    if (nearEdge && farEdge)
        return {start, length + grown};
    if (farEdge)
        return {start + grown, length};
    if (nearEdge)
        return {start, length};
    // Neither edge: the centre stays at the same fraction of the parent.
    if (designLength <= 0)
        return {start, length};
    const int centre = start + length / 2;
    return {centre * newLength / designLength - length / 2, length};
}

} // namespace

QRect anchoredGeometry(QRect design, QSize designClient, QSize client, Anchors anchors) {
    const auto [left, width] =
        anchoredSpan(design.left(), design.width(), designClient.width(), client.width(),
                     anchors.testFlag(Anchor::Left), anchors.testFlag(Anchor::Right));
    const auto [top, height] =
        anchoredSpan(design.top(), design.height(), designClient.height(), client.height(),
                     anchors.testFlag(Anchor::Top), anchors.testFlag(Anchor::Bottom));
    return QRect(left, top, width, height);
}

void ControlAnchors::add(QWidget* control, Anchors anchors, QSize designClient) {
    entries_.append({control, anchors, control->geometry(), designClient});
}

void ControlAnchors::apply(QSize client) const {
    for (const Entry& entry : entries_)
        if (entry.control)
            entry.control->setGeometry(
                anchoredGeometry(entry.design, entry.designClient, client, entry.anchors));
}

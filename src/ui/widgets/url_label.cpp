#include "ui/widgets/url_label.h"

#include "ui/messages.h"
#include "ui/seams.h"

#include <QMouseEvent>

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent), SavedColor(fontColor()) {
    setCursor(Qt::PointingHandCursor);
}

void TURLLabel::setHotTrack(bool hotTrack) {
    if (hotTrack_ == hotTrack)
        return;
    hotTrack_ = hotTrack;
    update();
}

void TURLLabel::setHotColor(const QColor& color) {
    if (hotColor_ == color)
        return;
    hotColor_ = color;
    update();
}

void TURLLabel::setPushedColor(const QColor& color) {
    if (pushedColor_ == color)
        return;
    pushedColor_ = color;
    update();
}

QColor TURLLabel::fontColor() const {
    return palette().color(QPalette::WindowText);
}

void TURLLabel::setFontColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    update();
}

void TURLLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (hotTrack_) {
        SavedColor = fontColor();
        setFontColor(hotColor_);
    }
}

void TURLLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (hotTrack_)
        setFontColor(SavedColor);
}

void TURLLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    event->accept(); // the release belongs to this label too
    if (hotTrack_)
        setFontColor(pushedColor_);
    if (executable_)
        runGuarded([&] { openWithDesktop(link()); });
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (hotTrack_)
        setFontColor(rect().contains(event->position().toPoint()) ? hotColor_ : SavedColor);
}

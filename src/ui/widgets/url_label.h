#pragma once

#include <QColor>
#include <QLabel>

// A hyperlink label: its font colour follows the mouse (HotColor while over it,
// PushedColor while a button is pressed on it) and, when Executable, any mouse button
// opens its caption (a web address) through the desktop. The pointer over it is a hand.
class TURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TURLLabel(QWidget* parent = nullptr);

    bool Executable() const { return executable_; }
    // What a click opens, where it is not the caption itself (a long path shown shortened);
    // empty: the caption.
    QString link() const { return link_.isEmpty() ? text() : link_; }
    void setLink(const QString& link) { link_ = link; }
    void setExecutable(bool executable) { executable_ = executable; }
    bool HotTrack() const { return hotTrack_; }
    void setHotTrack(bool hotTrack);
    QColor HotColor() const { return hotColor_; }
    void setHotColor(const QColor& color);
    QColor PushedColor() const { return pushedColor_; }
    void setPushedColor(const QColor& color);

    // The font colour as drawn now.
    QColor fontColor() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setFontColor(const QColor& color);

    bool executable_ = false;
    QString link_;
    bool hotTrack_ = true;
    QColor hotColor_{0, 255, 255};
    QColor pushedColor_{255, 0, 0};
    QColor SavedColor; // the normal font colour, saved when the mouse enters
};

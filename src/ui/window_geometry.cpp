#include "ui/window_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

QSize frameExtra(const QWidget* window) {
    return window->frameGeometry().size() - window->geometry().size();
}

void applyClientSize(QWidget* window, QSize client, bool fixed) {
    if (fixed)
        window->setFixedSize(client);
    else
        window->resize(client);
}

// Watches a window until its frame is known and then turns the wanted outer size into the
// right client size.
class OuterSizeKeeper : public QObject {
public:
    OuterSizeKeeper(QWidget* window, QSize outer, bool fixed)
        : QObject(window), window_(window), outer_(outer), fixed_(fixed),
          extra_(frameExtra(window)) {
        applyClientSize(window, outer_ - extra_, fixed_);
        setObjectName(name());
        window->installEventFilter(this);
    }

    static QString name() { return QStringLiteral("OuterSizeKeeper"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ &&
            (event->type() == QEvent::Show || event->type() == QEvent::Move ||
             event->type() == QEvent::Resize || event->type() == QEvent::WindowActivate))
            adjust();
        return false;
    }

private:
    void adjust() {
        const QSize extra = frameExtra(window_);
        if (extra == extra_)
            return;
        // Resized by the user since: that size is theirs.
        if (window_->size() != outer_ - extra_) {
            deleteLater();
            return;
        }
        extra_ = extra;
        applyClientSize(window_, outer_ - extra_, fixed_);
    }

    QPointer<QWidget> window_;
    QSize outer_;
    bool fixed_;
    QSize extra_;
};

// A window placed before its window manager framed it was placed by its client size alone, a
// third of the title bar too low; once the frame is known it is placed again, once, unless it
// was moved in between.
class PlaceWhenFramed : public QObject {
public:
    PlaceWhenFramed(QWidget* window, int topDivisor)
        : QObject(window), window_(window), topDivisor_(topDivisor), placed_(window->pos()) {
        setObjectName(name());
        window->installEventFilter(this);
    }

    static QString name() { return QStringLiteral("PlaceWhenFramed"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ &&
            (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
             event->type() == QEvent::WindowActivate) &&
            !frameExtra(window_).isNull()) {
            window_->removeEventFilter(this);
            deleteLater();
            if (window_->pos() == placed_)
                placeWindow(window_, topDivisor_);
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    int topDivisor_;
    QPoint placed_;
};

} // namespace

QPoint placedPosition(QSize screen, QSize window, int topDivisor) {
    // C++ integer division truncates toward zero, as the placement rule wants.
    return {(screen.width() - window.width()) / 2,
            (screen.height() - window.height()) / topDivisor};
}

void placeWindow(QWidget* window, int topDivisor) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->move(placedPosition(screen->geometry().size(), outerSize(window), topDivisor));
    if (frameExtra(window).isNull() && window->isWindow() &&
        !window->windowFlags().testFlag(Qt::FramelessWindowHint) &&
        !window->findChild<QObject*>(PlaceWhenFramed::name(), Qt::FindDirectChildrenOnly))
        new PlaceWhenFramed(window, topDivisor);
}

QRect placedOnScreen(QRect screen, QRect available, QSize stored, QSize minimum, int topDivisor) {
    const QSize size = stored.expandedTo(minimum).boundedTo(available.size());
    const QPoint placed = screen.topLeft() + placedPosition(screen.size(), size, topDivisor);
    const QPoint topLeft(
        std::clamp(placed.x(), available.left(), available.right() + 1 - size.width()),
        std::clamp(placed.y(), available.top(), available.bottom() + 1 - size.height()));
    return {topLeft, size};
}

void placeStoredWindow(QWidget* window, QSize stored, QSize minimum, int topDivisor) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        setOuterSize(window, stored.expandedTo(minimum));
        return;
    }
    const QRect placed = placedOnScreen(screen->geometry(), screen->availableGeometry(), stored,
                                        minimum, topDivisor);
    setOuterSize(window, placed.size());
    window->move(placed.topLeft());
}

QSize outerSize(const QWidget* window) {
    return window->frameGeometry().size();
}

void setOuterSize(QWidget* window, QSize outer, bool fixed) {
    delete window->findChild<QObject*>(OuterSizeKeeper::name(), Qt::FindDirectChildrenOnly);
    new OuterSizeKeeper(window, outer, fixed);
}

#include "ui/main/status_hints.h"

#include "ui/messages.h"
#include "ui/widgets/control_hint.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

StatusHints::StatusHints(QLabel* panel, QTimer* timer, QObject* parent)
    : QObject(parent), panel_(panel), timer_(timer) {
    setObjectName(QStringLiteral("StatusHints"));
    panel_->setText(defaultHint());
    connect(timer_, &QTimer::timeout, this, [this] { runGuarded([this] { TIM_HintTimer(); }); });
}

void StatusHints::watch(QWidget* control) {
    control->setMouseTracking(true);
    control->installEventFilter(this);
}

void StatusHints::BTN_PublicMouseMove(QObject* Sender) {
    panel_->setText(controlHint(Sender));
    timer_->start(); // restarts: the default comes back after the last movement
}

void StatusHints::TIM_HintTimer() {
    timer_->stop();
    panel_->setText(defaultHint());
}

QString StatusHints::defaultHint() {
    return QStringLiteral("（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）");
}

bool StatusHints::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && !controlHint(watched).isEmpty())
        runGuarded([this, watched] { BTN_PublicMouseMove(watched); });
    return QObject::eventFilter(watched, event);
}

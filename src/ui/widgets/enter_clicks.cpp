#include "ui/widgets/enter_clicks.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

class EnterClicks : public QObject {
public:
    explicit EnterClicks(QAbstractButton* button) : QObject(button), button_(button) {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != button_ || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (button_->isEnabled())
            button_->click();
        return true;
    }

private:
    QAbstractButton* button_;
};

} // namespace

void clickOnEnter(QAbstractButton* button) {
    new EnterClicks(button);
}

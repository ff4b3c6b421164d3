#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QTimer;
class QWidget;

// Hints in the status bar, never as pop-up tips: while the mouse moves over a watched
// control, the first panel shows the control's hint (controlHint); 4 seconds after the
// last movement the timer brings the default text back.
class StatusHints : public QObject {
    Q_OBJECT
public:
    // panel: the status bar's first panel; timer: TIM_Hint, whose interval is the wait.
    StatusHints(QLabel* panel, QTimer* timer, QObject* parent = nullptr);

    // Starts showing the control's hint on mouse moves.
    void watch(QWidget* control);

    // On each mouse move over a watched control: its hint, and the timer started again.
    void BTN_PublicMouseMove(QObject* Sender);
    // The timer fired: stopped, and the default text back.
    void TIM_HintTimer();

    // "（各ﾎﾞﾀﾝにﾏｳｽをのせるとﾋﾝﾄを表示します）"
    static QString defaultHint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* panel_;
    QTimer* timer_;
};

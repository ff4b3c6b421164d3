#pragma once

#include <QList>
#include <QPointer>

#include <utility>

class QAction;
class QMainWindow;
class QWidget;
class TFRM_Temp;

// While a column retrieval lets events through, nothing but the progress window's abort
// button may act: the window's actions (menus, shortcuts and the buttons bound to them),
// its menu bar and its client area are disabled and `running` is set. On every way out the
// enabled states come back, the window takes the keyboard back from the progress window
// and the focus returns to the control that had it.
class RetrievalGuard {
public:
    RetrievalGuard(QMainWindow& window, bool& running);
    ~RetrievalGuard();
    RetrievalGuard(const RetrievalGuard&) = delete;
    RetrievalGuard& operator=(const RetrievalGuard&) = delete;

private:
    QMainWindow& window_;
    bool& running_;
    QList<std::pair<QPointer<QAction>, bool>> actionStates_;
    QPointer<QWidget> focusBefore_;
};

// Shows the progress window for one retrieval of max tables, with the abort flag it sets,
// and closes it on every way out.
class ProgressShowing {
public:
    ProgressShowing(TFRM_Temp& window, bool& abortRequested, int max);
    ~ProgressShowing();
    ProgressShowing(const ProgressShowing&) = delete;
    ProgressShowing& operator=(const ProgressShowing&) = delete;

    void step();

private:
    TFRM_Temp& window_;
};

#include "ui/main/retrieval_guard.h"

#include "ui/main/frm_temp.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

RetrievalGuard::RetrievalGuard(QMainWindow& window, bool& running)
    : window_(window), running_(running), focusBefore_(QApplication::focusWidget()) {
    running_ = true;
    // The progress window is a window of its own, so disabling this one's parts leaves it
    // usable.
    for (QAction* action : window_.findChildren<QAction*>()) {
        actionStates_.append({action, action->isEnabled()});
        action->setEnabled(false);
    }
    window_.menuBar()->setEnabled(false);
    window_.centralWidget()->setEnabled(false);
}

RetrievalGuard::~RetrievalGuard() {
    window_.centralWidget()->setEnabled(true);
    window_.menuBar()->setEnabled(true);
    for (const auto& [action, enabled] : std::as_const(actionStates_))
        if (action)
            action->setEnabled(enabled);
    running_ = false;
    // A window manager gives the keyboard back when the progress window goes; a bare X
    // server does not, and the shortcuts would stop working.
    if (window_.isVisible())
        window_.activateWindow();
    if (focusBefore_ && focusBefore_->isEnabled())
        focusBefore_->setFocus();
}

ProgressShowing::ProgressShowing(TFRM_Temp& window, bool& abortRequested, int max)
    : window_(window) {
    window_.setAbortFlag(&abortRequested);
    window_.setMax(max);
    window_.show(); // clears the abort flag and the bar
    window_.activateWindow();
}

ProgressShowing::~ProgressShowing() {
    window_.close();
}

void ProgressShowing::step() {
    window_.StepIt();
}

#include "ui/main/frm_temp.h"

#include "db/db_messages.h"
#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/widgets/enter_clicks.h"
#include "ui/window_geometry.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include <algorithm>

namespace {

constexpr QSize kOuterSize(350, 100);

int bottomOf(const QWidget* w) {
    return w->y() + w->height();
}

} // namespace

TFRM_Temp::TFRM_Temp(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("FRM_Temp"));
    // A small border without a caption bar, so without a close box or the buttons a window
    // manager puts there: only the abort button ends the window from the user's side.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint);
    setWindowTitle(QString());
    setFont(windowFont());

    LBL_Info = new QLabel(infoText(), this);
    LBL_Info->setObjectName(QStringLiteral("LBL_Info"));
    LBL_Info->move(5, 8);
    LBL_Info->adjustSize();

    PGB_Temp = new QProgressBar(this);
    PGB_Temp->setObjectName(QStringLiteral("PGB_Temp"));
    PGB_Temp->setRange(0, 100);
    PGB_Temp->setValue(0); // a fresh bar has no position at all, and StepIt counts from it
    PGB_Temp->setTextVisible(false);

    BTN_Abort = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                QStringLiteral("中止(&A)"), this);
    BTN_Abort->setObjectName(QStringLiteral("BTN_Abort"));
    clickOnEnter(BTN_Abort);
    connect(BTN_Abort, &QPushButton::clicked, this,
            [this] { runGuarded([this] { BTN_AbortClick(); }); });

    FormCreate();
}

QString TFRM_Temp::infoText() {
    return retrievingText();
}

void TFRM_Temp::FormCreate() {
    setOuterSize(this, kOuterSize, true);
    arrangeControls();
    placeWindow(this, 2);
}

// The bar and the button follow the client width, which is known for certain only once
// the window system has put its border around the window.
void TFRM_Temp::arrangeControls() {
    const int clientWidth = width();
    PGB_Temp->setGeometry(5, bottomOf(LBL_Info) + 5, clientWidth - 10, 20);
    BTN_Abort->setGeometry((clientWidth - 80) / 2, bottomOf(PGB_Temp) + 5, 80, 22);
}

void TFRM_Temp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrangeControls();
    // A window system with a tall title bar would leave too little of the outer height to
    // the client: the abort button must stay whole, so the window grows for it.
    const int needed = bottomOf(BTN_Abort) + 3;
    if (height() < needed)
        setFixedHeight(needed);
}

void TFRM_Temp::setAbortFlag(bool* flag) {
    abortFlag_ = flag ? flag : &ownAbortFlag_;
}

bool TFRM_Temp::abortRequested() const {
    return *abortFlag_;
}

void TFRM_Temp::setMax(int max) {
    PGB_Temp->setMaximum(std::max(max, 0));
}

void TFRM_Temp::StepIt() {
    const int position = std::max(PGB_Temp->value(), PGB_Temp->minimum());
    PGB_Temp->setValue(std::min(position + 1, PGB_Temp->maximum()));
}

void TFRM_Temp::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the program's own showing starts a retrieval; a restore from minimized does not.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TFRM_Temp::FormShow() {
    *abortFlag_ = false;
    PGB_Temp->setValue(0);
}

void TFRM_Temp::BTN_AbortClick() {
    *abortFlag_ = true;
    close();
}

void TFRM_Temp::closeEvent(QCloseEvent* event) {
    // The program closes the window itself when a retrieval ends; a close the window
    // system asks for (Alt+F4) is the user's and means abort.
    if (event->spontaneous())
        *abortFlag_ = true;
    QWidget::closeEvent(event);
}

void TFRM_Temp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        runGuarded([this] { BTN_AbortClick(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

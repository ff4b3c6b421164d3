#include "ui/main/frm_temp.h"

#include "ui/fonts.h"
#include "ui/window_geometry.h"
#include "util/app_info.h"

TFRM_Temp::TFRM_Temp(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("FRM_Temp"));
    setWindowTitle(applicationTitle());
    setFont(windowFont());
    setFixedSize(300, 90);
    FormCreate();
}

void TFRM_Temp::FormCreate() {
    placeWindow(this, 2);
}

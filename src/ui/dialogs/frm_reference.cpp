#include "ui/dialogs/frm_reference.h"

#include "ui/fonts.h"
#include "ui/window_geometry.h"

TFRM_Reference::TFRM_Reference(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_Reference"));
    setFont(windowFont());
    setFixedSize(300, 200);
    FormCreate();
}

void TFRM_Reference::FormCreate() {
    placeWindow(this, 3);
}

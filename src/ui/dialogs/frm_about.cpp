#include "ui/dialogs/frm_about.h"

#include "ui/app_icon.h"
#include "ui/fonts.h"
#include "ui/widgets/url_label.h"
#include "ui/window_geometry.h"
#include "util/app_info.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* label(QWidget* parent, const char* name, int left, int top) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->move(left, top);
    return l;
}

} // namespace

TFRM_About::TFRM_About(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_About"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(298, 148);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    // A raised inner and a lowered outer bevel: the etched edge.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(8, 8, 281, 100);

    IMG_Icon = label(Panel1, "IMG_Icon", 8, 8);
    IMG_Icon->setFixedSize(32, 32);
    IMG_Icon->setPixmap(applicationPixmap(32));

    LBL_SoftName = label(Panel1, "LBL_SoftName", 60, 9);
    LBL_Version = label(Panel1, "LBL_Version", 60, 33);
    LBL_Copyright = label(Panel1, "LBL_Copyright", 8, 57);
    LBL_URL = label(Panel1, "LBL_URL", 8, 80);

    URLLabel1 = new TURLLabel(Panel1);
    URLLabel1->setObjectName(QStringLiteral("URLLabel1"));
    URLLabel1->setGeometry(41, 80, 184, 12);
    QFont underlined = URLLabel1->font();
    underlined.setUnderline(true);
    URLLabel1->setFont(underlined);
    QPalette blue = URLLabel1->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    URLLabel1->setPalette(blue);
    URLLabel1->setExecutable(true);
    URLLabel1->setHotColor(QColor(255, 255, 0));
    URLLabel1->setText(makerUrl());

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 116, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

QString TFRM_About::versionText() {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ　") + GetFileVersionText();
}

void TFRM_About::FormCreate() {
    placeWindow(this, 2);
    LBL_SoftName->setText(applicationTitle());
    LBL_Version->setText(versionText());
    LBL_Copyright->setText(copyrightText());
    LBL_URL->setText(QStringLiteral("URL："));
    for (QLabel* l : {LBL_SoftName, LBL_Version, LBL_Copyright, LBL_URL})
        l->adjustSize();
}

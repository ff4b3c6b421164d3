#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TURLLabel;

// The version window: the program's name, version, copyright line and web address.
class TFRM_About : public QDialog {
    Q_OBJECT
public:
    explicit TFRM_About(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* IMG_Icon;
    QLabel* LBL_SoftName;
    QLabel* LBL_Version;
    QLabel* LBL_Copyright;
    QLabel* LBL_URL;
    TURLLabel* URLLabel1;
    QPushButton* OKButton;

    static QString versionText(); // "ﾊﾞｰｼﾞｮﾝ　" and the version

private:
    void FormCreate();
};

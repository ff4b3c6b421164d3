#pragma once
#include <QObject>

class TestInstallPaths : public QObject {
    Q_OBJECT
private slots:
    void helpPage_data();
    void helpPage();
    void versionText();
};

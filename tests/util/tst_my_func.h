#pragma once
#include <QObject>

class TestMyFunc : public QObject {
    Q_OBJECT
private slots:
    void parsesIntegers_data();
    void parsesIntegers();
    void charCode_data();
    void charCode();
    void versionText();
};

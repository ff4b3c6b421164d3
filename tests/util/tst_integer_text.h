#pragma once
#include <QObject>

class TestIntegerText : public QObject {
    Q_OBJECT
private slots:
    void parsesIntegers_data();
    void parsesIntegers();
};

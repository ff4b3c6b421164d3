#pragma once
#include <QObject>

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void headerDateTime_data();
    void headerDateTime();
};

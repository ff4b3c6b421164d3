#pragma once
#include <QObject>

class TestBlanksAndReport : public QObject {
    Q_OBJECT
private slots:
    void trimsBlanksOnly_data();
    void trimsBlanksOnly();
    void generalErrorTextAppendsPeriod_data();
    void generalErrorTextAppendsPeriod();
    void busyGuardRestoresOnException();
};

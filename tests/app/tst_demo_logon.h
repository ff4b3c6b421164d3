#pragma once
#include <QObject>

class TestDemoLogon : public QObject {
    Q_OBJECT
private slots:
    void logsOnToDemoAndClosesAtExit();
    void unknownServiceKeepsFields();
};

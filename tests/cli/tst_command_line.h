#pragma once

#include <QObject>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void accepts_data();
    void accepts();
    void rejects_data();
    void rejects();
    void sourceDateEpoch_data();
    void sourceDateEpoch();
};

#pragma once
#include <QObject>

// The window program's command line, run as a terminal user runs it: without a display.
class TestProgramArguments : public QObject {
    Q_OBJECT
private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
};

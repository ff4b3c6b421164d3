#pragma once
#include <QObject>

class TestHelpPage : public QObject {
    Q_OBJECT
private slots:
    void copiedNextToExecutable();
    void wellFormedUtf8WithWorkingLinks();
};

#pragma once
#include <QObject>

class TestInputFile : public QObject {
    Q_OBJECT
private slots:
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void readsRegularFileUpToLimit();
};

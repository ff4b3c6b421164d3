#pragma once
#include <QObject>

class TestSettingsFileWrites : public QObject {
    Q_OBJECT
private slots:
    void savesOrReportsAndKeepsTheFile_data();
    void savesOrReportsAndKeepsTheFile();
};

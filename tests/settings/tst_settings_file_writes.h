#pragma once
#include <QObject>

class TestSettingsFileWrites : public QObject {
    Q_OBJECT
private slots:
    void fullDiskReportsAndKeepsTheFile();
    void readOnlyFolderSavesIntoWritableFile_data();
    void readOnlyFolderSavesIntoWritableFile();
};

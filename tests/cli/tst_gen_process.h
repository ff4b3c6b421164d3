#pragma once

#include <QObject>
#include <QTemporaryDir>

// tamsel-gen run as a process against the demo database.
class TestGenProcess : public QObject {
    Q_OBJECT
private slots:
    void init();
    void goldenOutputs_data();
    void goldenOutputs();
    void candidateOrderFollowsTableList_data();
    void candidateOrderFollowsTableList();
    void utf8DiffersOnlyInEncoding_data();
    void utf8DiffersOnlyInEncoding();
    void exitStatuses_data();
    void exitStatuses();
    void missingFolderLeavesNothing();
    void failedRunKeepsExistingFile_data();
    void failedRunKeepsExistingFile();
    void headerDateFollowsZoneAndLocale_data();
    void headerDateFollowsZoneAndLocale();
    void settingsComeFromIniThenProfile();
    void settingsDefaultsWithoutIni();
    void vbMarksReachTheModule();
    void tablesListsInTableListOrder();
    void checkComparesWithTheSavedFile_data();
    void checkComparesWithTheSavedFile();
    void checkTakesTheOutputCutAnywhere_data();
    void checkTakesTheOutputCutAnywhere();
    void reservedNamesWarnOrFail();
    void snapshotTakesTheProfilesTables();
    void snapshotFailuresLeaveNothing_data();
    void snapshotFailuresLeaveNothing();
    void progressOnATerminal();

private:
    QString writeProfile(const QString& json, const QString& name = "profile.json");
    QTemporaryDir dir_;
};

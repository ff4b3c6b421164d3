#pragma once

#include "gen_process.h"

#include <QObject>
#include <QTemporaryDir>

// tamsel-gen run as a process against the demo database.
class TestGenProcess : public QObject {
    Q_OBJECT
private slots:
    void init();
    void goldenOutputs_data();
    void goldenOutputs();
    void profileFromStandardInput_data();
    void profileFromStandardInput();
    void versionAndHelp_data();
    void versionAndHelp();
    void candidateOrderFollowsTableList_data();
    void candidateOrderFollowsTableList();
    void utf8DiffersOnlyInEncoding_data();
    void utf8DiffersOnlyInEncoding();
    void exitStatuses_data();
    void exitStatuses();
    void unreadableInputsAreRefused_data();
    void unreadableInputsAreRefused();
    void outOfMemoryEndsWithItsStatus();
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
    void reservedNamesWarnOrFail();
    void snapshotTakesTheProfilesTables();
    void snapshotFailuresLeaveNothing_data();
    void snapshotFailuresLeaveNothing();
    void progressOnATerminal();
    void passwordAskedOnlyWhereChecked_data();
    void passwordAskedOnlyWhereChecked();
    void terminalShowsUtf8_data();
    void terminalShowsUtf8();
    void quietKeepsWarningsAndErrors_data();
    void quietKeepsWarningsAndErrors();

private:
    QString writeProfile(const QString& json, const QString& name = "profile.json");
    // tamsel-gen on a terminal of its own (script(1)), `typed` at the keyboard: out is what
    // the terminal shows. With errFile, standard error goes to that file (err) instead, and
    // the terminal shows standard output byte for byte.
    GenRun onTerminal(const QStringList& arguments, const QByteArray& typed = {},
                      const QMap<QString, QString>& env = {}, const QString& errFile = {});
    QTemporaryDir dir_;
};

#pragma once

#include <QObject>

class TestGenProfile : public QObject {
    Q_OBJECT
private slots:
    void rejects_data();
    void rejects();
    void readsEveryKey();
    void fillsDefaults();
    void acceptsTheWindowsRange();
    void settingsOverrideOnlyPresentKeys();
    void selectionFollowsTableList();
    void unknownTableIsNamed();
    void tablesGetFlagsAndArgumentsByCandidateIndex();
    void iniIsTakenFromTheProfilesFolder();
    void writtenSelectionReadsBack();
    void passwordIsNeverWritten();
};

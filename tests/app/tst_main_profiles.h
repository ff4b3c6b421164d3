#pragma once
#include <QObject>

// The candidate list saved as a tamsel-gen profile and a profile opened in the main window.
class TestMainProfiles : public QObject {
    Q_OBJECT
private slots:
    void savedProfileGeneratesThePreview_data();
    void savedProfileGeneratesThePreview();
    void openSkipsMissingTablesAndAsksForSettings_data();
    void openSkipsMissingTablesAndAsksForSettings();
    void manyMissingTablesInOneShortMessage();
    void unreadableProfileChangesNothing_data();
    void unreadableProfileChangesNothing();
    void profileTheReaderRefusesIsNotSaved();
    void startsWithAProfile_data();
    void startsWithAProfile();
    void recentProfilesAcrossRestart();
};

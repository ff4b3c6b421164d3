#pragma once
#include <QObject>

// The main window's road on real databases: logon, table list, retrieval, flags and
// arguments, generation, saving, logout.
class TestMainRoad : public QObject {
    Q_OBJECT
private slots:
    void demoRoadToSavedFiles();
    void selectingAgainDiscardsTheOldList();
    void selectingNothingChangesNothing();
    void abortAfterFirstTable();
    void retrievalFailureLeavesNoRows_data();
    void retrievalFailureLeavesNoRows();
    void tableListFailureKeepsWhatWasRead();
    void emptyTableList();
    void argumentsCopiedInAndOut();
    void logoutClearsListPreviewAndRows_data();
    void logoutClearsListPreviewAndRows();
};

#pragma once
#include <QObject>

class TestSafeFile : public QObject {
    Q_OBJECT
private slots:
    void replacesWholeFileAndKeepsModeAndOwner_data();
    void replacesWholeFileAndKeepsModeAndOwner();
    void failedWriteLeavesNothingBehind_data();
    void failedWriteLeavesNothingBehind();
    void writesIntoStreamsWithoutReplacing_data();
    void writesIntoStreamsWithoutReplacing();
    void appendsToFileBehindDescriptor();
    void linksAreKept();
    void streamedWriteReplacesOnlyOnCommit_data();
    void streamedWriteReplacesOnlyOnCommit();
    void removesOnlyOwnStaleTemporaries();
    void temporaryIsPrivateAndFitsTheName_data();
    void temporaryIsPrivateAndFitsTheName();
    void refusesWhatTheShellWouldNotWrite_data();
    void refusesWhatTheShellWouldNotWrite();
    void hardLinkedRewritesTakeTurns();
    void linesEndInCrLfIncludingTheLast();
    void unencodableLineWritesNothing();
};

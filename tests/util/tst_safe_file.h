#pragma once
#include <QObject>

class TestSafeFile : public QObject {
    Q_OBJECT
private slots:
    void replacesWholeFileAndKeepsModeAndOwner_data();
    void replacesWholeFileAndKeepsModeAndOwner();
    void failedWriteLeavesNothingBehind_data();
    void failedWriteLeavesNothingBehind();
    void fullDiskFailsWithItsReasonAndKeepsOldFile();
    void writesIntoFifoAndDeviceWithoutReplacing_data();
    void writesIntoFifoAndDeviceWithoutReplacing();
    void writesIntoOpenDescriptors();
    void linksAreKept();
    void removesOnlyOwnStaleTemporaries();
    void linesEndInCrLfIncludingTheLast();
    void unencodableLineWritesNothing();
};

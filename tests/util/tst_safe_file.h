#pragma once
#include <QObject>

class TestSafeFile : public QObject {
    Q_OBJECT
private slots:
    void replacesWholeFileAndKeepsMode();
    void failedWriteLeavesNothingBehind_data();
    void failedWriteLeavesNothingBehind();
    void linesEndInCrLfIncludingTheLast();
    void unencodableLineWritesNothing();
};

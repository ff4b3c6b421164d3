#pragma once
#include <QObject>

class TestTemp : public QObject {
    Q_OBJECT
private slots:
    void windowAndControls();
    void layoutFollowsClientWidth_data();
    void layoutFollowsClientWidth();
    void shortClientKeepsAbortButtonWhole();
    void showClearsFlagAndBar();
    void abortButtonSetsFlagAndCloses();
    void escapeAndWindowSystemCloseAbort();
    void programCloseIsNoAbort();
    void abortReachesRetrievalLoop();
    void stepsStopAtMaximum();
};

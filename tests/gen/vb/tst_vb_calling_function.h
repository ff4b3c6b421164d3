#pragma once
#include <QObject>

class TestVbCallingFunction : public QObject {
    Q_OBJECT
private slots:
    void sqlTextWorkedExample();
    void sqlText_data();
    void sqlText();
    void getOraTypeName_data();
    void getOraTypeName();
    void elementSizeFollowsEachColumnsType();
    void columnLines_data();
    void columnLines();
    void alignmentCountsShiftJisBytes();
    void hasArrayIsDecidedPerFunction();
    void genericStageMessage_data();
    void genericStageMessage();
    void genericCounts_data();
    void genericCounts();
    void noArgumentsWritesNoDataSetSection();
    void arrayTableWithoutColumnsBindsNoRowCount();
};

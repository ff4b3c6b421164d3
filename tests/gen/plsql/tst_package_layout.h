#pragma once

#include <QObject>

// The run as a whole: when it refuses, the header blocks, the options that change every
// section, and the fixed lines around the sections.
class TestPackageLayout : public QObject {
    Q_OBJECT
private slots:
    void noPublicTable_data();
    void noPublicTable();
    void packageHeader();
    void routineHeader_data();
    void routineHeader();
    void procHeaderSwitchesEveryBlock_data();
    void procHeaderSwitchesEveryBlock();
    void indent_data();
    void indent();
    void packNameAsStored();
    void tableTypesHeadingOnceBeforeFirstArrayTable();
};

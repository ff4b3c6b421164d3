#pragma once
#include <QObject>

class TestDictionary : public QObject {
    Q_OBJECT
private slots:
    void queryTexts_data();
    void queryTexts();
    void sizeText_data();
    void sizeText();
    void nullFieldFailsTheTable_data();
    void nullFieldFailsTheTable();
    void columnsInColumnNumberOrder();
    void tableNameWithQuoteIsRead();
    void tableListKeepsNamesBeforeAnError();
    void emptyTableList();
    void queryErrorFails();
    void unsafeNamesAreRefused_data();
    void unsafeNamesAreRefused();
    void retrievalLoop_data();
    void retrievalLoop();
};

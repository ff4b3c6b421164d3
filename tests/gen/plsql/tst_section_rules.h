#pragma once

#include <QObject>

// The rules of the sections that are easy to get wrong: where commas fall, which headings
// appear when, how pads are counted, which names are lower-cased.
class TestSectionRules : public QObject {
    Q_OBJECT
private slots:
    void parameterList_data();
    void parameterList();
    void genericTypesLookAtEveryTable_data();
    void genericTypesLookAtEveryTable();
    void clearValue_data();
    void clearValue();
    void accessFunctionsOfTableWithoutColumns();
    void prefixesJoinedAsStored();
    void doubleByteNames();
    void tablePadFollowsLongestName_data();
    void tablePadFollowsLongestName();
    void bodyWithoutArrayOrAccessFlags();
    void genericArraysCopiedInAndBack();
    void arrayArgumentTables();
    void customizationSkeletons();
};

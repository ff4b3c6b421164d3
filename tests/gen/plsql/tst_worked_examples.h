#pragma once

#include <QObject>

// The documented examples of every section, byte for byte, against golden files.
class TestWorkedExamples : public QObject {
    Q_OBJECT
private slots:
    void sections_data();
    void sections();
    void wholePackage();
    void fixedTextsAsTyped();
    void savedFileBytes();
};

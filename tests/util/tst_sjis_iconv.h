#pragma once
#include <QObject>

// The codec against glibc's iconv, whose code page 932 its tables were taken from (Linux
// only: Windows has no iconv).
class TestSjisIconv : public QObject {
    Q_OBJECT
private slots:
    void tablesAgreeWithIconvBothWays();
    void encodesAsIconvAcrossBlockEdges_data();
    void encodesAsIconvAcrossBlockEdges();
};

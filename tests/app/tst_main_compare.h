#pragma once
#include <QObject>

// ファイル → 保存済みファイルと比較 and ファイル → UTF-8で保存 in the main window.
class TestMainCompare : public QObject {
    Q_OBJECT
private slots:
    void showsTheDiffFromTheLastSavedFile();
    void answersWithoutADiff_data();
    void answersWithoutADiff();
    void aLongDiffIsCut();
    void utf8SaveAndItsSetting();
};

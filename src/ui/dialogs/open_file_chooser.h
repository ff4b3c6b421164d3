#pragma once

#include <QFileDialog>

// The open-file dialog the program shows (through chooseOpenFile, ui/seams.h): one existing
// file, in Japanese like the save dialog.
class OpenFileChooser : public QFileDialog {
    Q_OBJECT
public:
    OpenFileChooser(QWidget* parent, const QString& initialDir, const QString& filter);

    // Makes this dialog the one the program shows through the seam (ui/seams.h).
    static void registerAsDefault();

    static QString caption(); // "ファイルを開く"
};

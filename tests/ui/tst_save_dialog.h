#pragma once
#include <QObject>

// The save-file dialog and the anchors of the main window's controls.
class TestSaveDialog : public QObject {
    Q_OBJECT
private slots:
    void nameFilters_data();
    void nameFilters();
    void chooserSetUp();
    void chooserAsksBeforeCreatingAndReplacing();
    void chosenFilterGivesTheExtension_data();
    void chosenFilterGivesTheExtension();
    void executeThroughTheSeam();
    void anchoredGeometry_data();
    void anchoredGeometry();
};

#pragma once
#include <QObject>

// The main window's shell: layout, menus, hints, the preview, the generation commands'
// checks and failures, saving, the table structure output, help.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void designLayout();
    void shownLayoutAndTabOrder();
    void anchorsAndSnapping_data();
    void anchorsAndSnapping();
    void menus_data();
    void menus();
    void hintsInStatusBar();
    void previewChangeEnablesSave();
    void previewLines_data();
    void previewLines();
    void headerToggles();
    void generationStopsAndFailures_data();
    void generationStopsAndFailures();
    void reservedNameNotice_data();
    void reservedNameNotice();
    void saveRefusesWhatShiftJisCannotHold();
    void saveFailureKeepsPreview();
    void tableStructureOutput();
    void help_data();
    void help();
    void settingAndAboutAreModal();
};

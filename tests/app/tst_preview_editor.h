#pragma once
#include <QObject>

// The preview as a code editor: filling and undo, the keyboard leaving it, the 編集 menu,
// finding and going to a line, and colouring that leaves the text as it is.
class TestPreviewEditor : public QObject {
    Q_OBJECT
private slots:
    void editMenu_data();
    void editMenu();
    void fillEditUndoSave();
    void keyboardLeavesPreview_data();
    void keyboardLeavesPreview();
    void findAndGoToLine();
    void colouring_data();
    void colouring();
    void stylingFollowsWhatIsShown();
};

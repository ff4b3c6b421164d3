#pragma once

#include <QObject>
#include <QRect>

class CodeEditor;
class FindBar;
class QAction;
class QMainWindow;
struct MainWindowControls;

// The preview's editing commands: the 編集 menu, which acts on the preview (its shortcuts
// reach the preview only while the keyboard is in it, so the table list keeps its own
// Ctrl+A and Ctrl+C), the preview's context menu with the same items, the find bar under
// the preview with F3 and Shift+F3, and going to a line.
class PreviewCommands : public QObject {
    Q_OBJECT
public:
    PreviewCommands(QMainWindow& window, const MainWindowControls& ui, QObject* parent = nullptr);

    // Where the layout puts the preview; the find bar, while shown, takes the bottom of it.
    void setArea(const QRect& area);

    // Ctrl+F: the find bar opens with the keyboard in its field, holding the preview's
    // selection when that is part of one line.
    void MNU_FindClick();
    // F3 (forward) and Shift+F3: the next or previous occurrence of the find bar's text;
    // with no text, the find bar opens.
    void FindAgain(bool forward);
    // Ctrl+G: the line asked for in 行へ移動 gets the caret.
    void MNU_GoToLineClick();
    void CloseFindBar();

private:
    void updateEditActions();
    void layOut();

    QMainWindow& window_;
    CodeEditor* editor_;
    FindBar* bar_;
    QAction* undo_;
    QAction* redo_;
    QAction* cut_;
    QAction* copy_;
    QRect area_;
};

#include "ui/main/preview_commands.h"

#include "ui/dialogs/go_to_line_dialog.h"
#include "ui/main/main_window_layout.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/widgets/code_editor.h"
#include "ui/widgets/find_bar.h"

#include <QAction>
#include <QMainWindow>

PreviewCommands::PreviewCommands(QMainWindow& window, const MainWindowControls& ui, QObject* parent)
    : QObject(parent), window_(window), editor_(ui.MEM_Preview), bar_(ui.PNL_Find),
      undo_(ui.MNU_Undo), redo_(ui.MNU_Redo), cut_(ui.MNU_Cut), copy_(ui.MNU_Copy),
      area_(ui.MEM_Preview->geometry()) {
    setObjectName(QStringLiteral("PreviewCommands"));
    const auto on = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [handler] { runGuarded(handler); });
    };

    // The editing items act on the preview, and their shortcuts only while it has the
    // keyboard; the preview's context menu shows the same items.
    const auto separator = [this] {
        auto* line = new QAction(editor_);
        line->setSeparator(true);
        return line;
    };
    const QList<QAction*> contextMenu{ui.MNU_Undo, ui.MNU_Redo,  separator(), ui.MNU_Cut,
                                      ui.MNU_Copy, ui.MNU_Paste, separator(), ui.MNU_SelectAll};
    for (QAction* action : contextMenu) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        editor_->addAction(action);
    }
    editor_->setContextMenuPolicy(Qt::ActionsContextMenu);
    on(ui.MNU_Undo, [this] { editor_->undo(); });
    on(ui.MNU_Redo, [this] { editor_->redo(); });
    on(ui.MNU_Cut, [this] { editor_->cut(); });
    on(ui.MNU_Copy, [this] { editor_->copy(); });
    on(ui.MNU_Paste, [this] { editor_->paste(); });
    on(ui.MNU_SelectAll, [this] { editor_->selectAll(true); });
    connect(editor_, &CodeEditor::textChanged, this, &PreviewCommands::updateEditActions);
    connect(editor_, &CodeEditor::selectionChanged, this, &PreviewCommands::updateEditActions);
    updateEditActions();

    on(ui.MNU_Find, [this] { MNU_FindClick(); });
    on(ui.MNU_GoToLine, [this] { MNU_GoToLineClick(); });
    // F3 and Shift+F3 anywhere in the window, the find bar shown or not.
    for (const bool forward : {true, false}) {
        auto* again = new QAction(&window_);
        again->setObjectName(forward ? QStringLiteral("ACT_FindNext")
                                     : QStringLiteral("ACT_FindPrevious"));
        again->setShortcut(forward ? QKeySequence(Qt::Key_F3)
                                   : QKeySequence(Qt::SHIFT | Qt::Key_F3));
        window_.addAction(again);
        on(again, [this, forward] { FindAgain(forward); });
    }
    connect(bar_, &FindBar::findRequested, this,
            [this](bool forward) { runGuarded([this, forward] { FindAgain(forward); }); });
    connect(bar_, &FindBar::closeRequested, this,
            [this] { runGuarded([this] { CloseFindBar(); }); });
}

void PreviewCommands::setArea(const QRect& area) {
    area_ = area;
    layOut();
}

void PreviewCommands::layOut() {
    if (bar_->isHidden()) {
        editor_->setGeometry(area_);
        return;
    }
    const int height = bar_->sizeHint().height();
    editor_->setGeometry(area_.adjusted(0, 0, 0, -height));
    bar_->setGeometry(area_.x(), area_.bottom() + 1 - height, area_.width(), height);
}

void PreviewCommands::updateEditActions() {
    undo_->setEnabled(editor_->isUndoAvailable());
    redo_->setEnabled(editor_->isRedoAvailable());
    const bool selected = editor_->hasSelectedText();
    cut_->setEnabled(selected);
    copy_->setEnabled(selected);
}

void PreviewCommands::MNU_FindClick() {
    const QString selected = editor_->selectedText();
    const bool oneLine = !selected.contains(u'\n') && !selected.contains(u'\r');
    bar_->open(oneLine ? selected : QString());
    layOut();
}

void PreviewCommands::FindAgain(bool forward) {
    if (bar_->text().isEmpty()) {
        MNU_FindClick();
        return;
    }
    bar_->setFound(editor_->findText(bar_->text(), forward, bar_->caseSensitive()));
}

void PreviewCommands::CloseFindBar() {
    bar_->hide();
    layOut();
    editor_->setFocus(Qt::OtherFocusReason);
}

void PreviewCommands::MNU_GoToLineClick() {
    GoToLineDialog dialog(&window_);
    dialog.setLines(editor_->caretLine(), editor_->lines());
    if (runModal(dialog) != QDialog::Accepted)
        return;
    editor_->goToLine(dialog.line());
    editor_->setFocus(Qt::OtherFocusReason);
}

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The main window's one save-file dialog, shared by saving the preview and the table
// structure output. Like the toolkit's dialog it keeps its properties between showings, so
// the name of the last file chosen is proposed again unless the caller sets another.
struct SaveDialog {
    QString InitialDir;
    QString FileName;   // the proposed name (or a whole path); the chosen path after Execute
    QString DefaultExt; // given to a name typed without extension ("sql" or ".bas")
    // Pairs of a description and its patterns: "SQLﾌｧｲﾙ (*.sql)|*.sql|すべてのﾌｧｲﾙ (*.*)|*.*".
    QString Filter;
    bool OverwritePrompt = false; // ask before replacing an existing file
    bool CreatePrompt = false;    // ask before creating a file that does not exist

    // Shows the dialog (through chooseSaveFile, ui/seams.h). True when the user chose a
    // file; FileName then holds its path. A cancelled dialog keeps FileName as it was.
    bool Execute(QWidget* parent);
};

// The name filters of the toolkit's file dialog for a description|pattern filter. A
// pattern "*.*" means every file, as on Windows, also one without an extension.
QStringList nameFiltersOf(const QString& filter);

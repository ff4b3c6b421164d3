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
    QString DefaultExt; // for a name typed without extension under "*.*" ("sql" or ".bas")
    // Pairs of a description and its patterns: "SQLﾌｧｲﾙ (*.sql)|*.sql|すべてのﾌｧｲﾙ (*.*)|*.*".
    QString Filter;
    bool OverwritePrompt = false; // ask before replacing an existing file
    bool CreatePrompt = false;    // ask before creating a file that does not exist

    // Shows the dialog (through chooseSaveFile, ui/seams.h). True when the user chose a
    // file; FileName then holds its path. A cancelled dialog keeps FileName as it was.
    bool Execute(QWidget* parent);
};

// Where one kind of output (package source, module, table structure, profile) was last
// saved in this run, so that each kind proposes its own file and never another kind's.
struct SaveLocation {
    QString folder;        // empty until this kind was saved
    QString name;          // the file's name without its folder
    QString defaultFolder; // DefPath then: a default folder changed since wins

    // The folder the save dialog opens in for this kind: where it was last saved in this
    // run, since the user put it there. Until then, once the default folder was changed in
    // the options, or when that folder is gone, the default folder.
    QString initialFolder(const QString& currentDefault) const;
    // A file of this kind was saved at path while currentDefault was the default folder.
    void remember(const QString& path, const QString& currentDefault);
};

// The name filters of the toolkit's file dialog for a description|pattern filter. A
// pattern "*.*" means every file, as on Windows, also one without an extension.
QStringList nameFiltersOf(const QString& filter);

// The patterns of the filter at index (from 0) of a description|pattern filter ("*.txt");
// empty when there is no such filter.
QString filterPatternsAt(const QString& filter, qsizetype index);

// The path a save goes to when the user typed path with the filter of these patterns
// chosen. A name with an extension keeps it. A name without one gets the chosen filter's
// extension ("*.txt": ".txt"); a filter that names none ("*.*") leaves it to the default
// extension ("sql" or ".bas"), and with neither the name stays bare. A name ending in a
// point asks for no extension at all, as on Windows: the point is dropped.
QString savedFilePath(const QString& path, const QString& patterns, const QString& defaultExt);

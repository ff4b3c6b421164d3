#pragma once

#include "model/generation_model.h"
#include "ui/save_dialog.h"
#include "util/text_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

class CodeEditor;
class QAction;
class QWidget;
struct TPackParameters;

// The preview editor and everything that leaves the window as a file: saving the preview
// as package source or as a module, and the table structure output. It keeps the one save
// dialog of the window, what the preview holds and where each kind of output was saved.
class PreviewPane : public QObject {
    Q_OBJECT
public:
    // editor: MEM_Preview; saveAction: MNU_Save, enabled exactly while the text is not empty.
    PreviewPane(CodeEditor* editor, QAction* saveAction, const TPackParameters& settings,
                QObject* parent = nullptr);

    // What the preview holds, for whatever reads it (saving, comparing with a saved file):
    // its lines as the editor shows them (a line break ends a line, and the last line
    // break of the text starts no further line), and their kind, a module (true) or
    // package source (false).
    QStringList PreviewLines() const;
    bool PreviewIsVb() const { return previewIsVb_; }
    // Replaces the preview's text with the lines in one step that leaves nothing to undo,
    // coloured for their kind, and remembers the kind.
    void ReplacePreview(const QStringList& lines, bool isVb);
    // The file the kind of text was last saved to in this run, while it is there; otherwise
    // the folder its save dialog opens in.
    QString LastSavedFileOrFolder(bool isVb) const;
    bool isEmpty() const;
    void clear();

    // Ctrl+S: the preview saved as Shift-JIS with CR LF (or as UTF-8 with LF), after the
    // save dialog. Text the code page cannot hold is refused, with its character and line,
    // before the dialog. A module proposes VbName; package source the name it was last saved
    // under, none at first.
    void MNU_SaveClick(QWidget* parent, TextFormat format = TextFormat::Sjis);
    // The table structure of the candidates written to a CSV file chosen in the save dialog,
    // which proposes the first candidate's name; in the format as the preview is saved.
    void OutputTableStructure(QWidget* parent, const TCandidateList& candidates,
                              TextFormat format = TextFormat::Sjis);

    // "Shift-JISで保存できない文字があります：「c」（n行目）"
    static QString unsavableText(const QString& character, qsizetype line);
    static QString packageFilter();
    static QString vbFilter();
    static QString csvFilter();

private:
    void MEM_PreviewChange();
    // Shows SDLG_Main for one kind of output, every property set: the kind's folder, the
    // proposed name, the default extension and the filter. True when a file was chosen.
    bool showSaveDialog(QWidget* parent, const SaveLocation& last, const QString& name,
                        const QString& defaultExt, const QString& filter);

    CodeEditor* editor_;
    QAction* saveAction_;
    const TPackParameters& settings_;
    SaveDialog SDLG_Main;
    bool previewIsVb_ = false;
    SaveLocation package_;
    SaveLocation module_;
    SaveLocation tableStructure_;
};

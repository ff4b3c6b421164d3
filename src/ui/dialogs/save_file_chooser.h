#pragma once

#include <QFileDialog>

struct SaveDialog;

// The save-file dialog the program shows (through chooseSaveFile, ui/seams.h). It asks,
// through the program's messages, before replacing an existing file and before creating a
// new one, as the dialog's properties say; answering No leaves the dialog open for another
// name, as the Windows dialog does. A name typed without an extension gets the one of the
// filter chosen (savedFilePath, ui/save_dialog.h).
class SaveFileChooser : public QFileDialog {
    Q_OBJECT
public:
    SaveFileChooser(QWidget* parent, const SaveDialog& dialog);

    // The accepted file's path, with the extension it is saved under.
    QString chosenFile() const { return chosen_; }

    // Makes this dialog the one the program shows through the seam (ui/seams.h).
    static void registerAsDefault();

    static QString caption();                           // "名前を付けて保存"
    static QString createQuestion(const QString& name); // "<name> は存在しません。作成しますか？"
    static QString
    overwriteQuestion(const QString& name); // "<name> は既に存在します。上書きしますか？"

public slots:
    void accept() override;

private:
    QString filter_;
    QString defaultExt_;
    bool overwritePrompt_;
    bool createPrompt_;
    QString chosen_;
};

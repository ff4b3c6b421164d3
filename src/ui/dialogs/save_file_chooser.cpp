#include "ui/dialogs/save_file_chooser.h"

#include "ui/messages.h"
#include "ui/save_dialog.h"
#include "ui/seams.h"

#include <QDir>
#include <QFileInfo>

SaveFileChooser::SaveFileChooser(QWidget* parent, const SaveDialog& dialog)
    : QFileDialog(parent, caption()), filter_(dialog.Filter), defaultExt_(dialog.DefaultExt),
      overwritePrompt_(dialog.OverwritePrompt), createPrompt_(dialog.CreatePrompt) {
    // The questions live in accept(), which the platform's own dialog would bypass.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // Qt's own captions are English without its translations; the program speaks Japanese.
    setLabelText(QFileDialog::LookIn, QStringLiteral("保存する場所："));
    setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名："));
    setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類："));
    setLabelText(QFileDialog::Accept, QStringLiteral("保存(&S)"));
    setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));

    const QStringList filters = nameFiltersOf(dialog.Filter);
    if (!filters.isEmpty())
        setNameFilters(filters);
    // No default suffix for the toolkit: it would add it whichever filter is chosen. The
    // extension is decided in accept(), from the filter chosen there.

    // A name with a folder (the last file chosen) opens there; a bare name in InitialDir.
    const QFileInfo proposed(dialog.FileName);
    if (!dialog.FileName.isEmpty() && proposed.isAbsolute()) {
        setDirectory(proposed.absolutePath());
        selectFile(proposed.fileName());
    } else {
        if (!dialog.InitialDir.isEmpty())
            setDirectory(dialog.InitialDir);
        if (!dialog.FileName.isEmpty())
            selectFile(dialog.FileName);
    }
}

QString SaveFileChooser::caption() {
    return QStringLiteral("名前を付けて保存");
}

QString SaveFileChooser::createQuestion(const QString& name) {
    return name + QStringLiteral(" は存在しません。作成しますか？");
}

QString SaveFileChooser::overwriteQuestion(const QString& name) {
    return name + QStringLiteral(" は既に存在します。上書きしますか？");
}

void SaveFileChooser::accept() {
    const QStringList selected = selectedFiles();
    if (selected.isEmpty())
        return;
    const QString typed = QDir::cleanPath(selected.first());
    if (QFileInfo(typed).isDir()) {
        QFileDialog::accept(); // opens the folder
        return;
    }
    const qsizetype chosenFilter = nameFilters().indexOf(selectedNameFilter());
    const QString path = savedFilePath(typed, filterPatternsAt(filter_, chosenFilter), defaultExt_);
    const QFileInfo file(path);
    if (file.isDir()) { // "pkg3" typed and a folder "pkg3.sql" there: it opens, as typed ones do
        setDirectory(path);
        return;
    }
    const bool exists = file.exists();
    if (exists && overwritePrompt_ &&
        messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                              overwriteQuestion(file.fileName())) != MessageAnswer::Yes)
        return;
    if (!exists && createPrompt_ &&
        messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                              createQuestion(file.fileName())) != MessageAnswer::Yes)
        return;
    chosen_ = path;
    QDialog::accept();
}

void SaveFileChooser::registerAsDefault() {
    setDefaultSaveDialogRunner(
        [](QWidget* parent, const SaveDialog& dialog) -> std::optional<QString> {
            SaveFileChooser chooser(parent, dialog);
            if (execModal(chooser) != QDialog::Accepted)
                return std::nullopt;
            return chooser.chosenFile();
        });
}

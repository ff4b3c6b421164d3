#include "ui/dialogs/open_file_chooser.h"

#include "ui/save_dialog.h"
#include "ui/seams.h"

#include <QFileInfo>

OpenFileChooser::OpenFileChooser(QWidget* parent, const QString& initialDir, const QString& filter)
    : QFileDialog(parent, caption()) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    // Qt's own captions are English without its translations; the program speaks Japanese.
    setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所："));
    setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名："));
    setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類："));
    setLabelText(QFileDialog::Accept, QStringLiteral("開く(&O)"));
    setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    const QStringList filters = nameFiltersOf(filter);
    if (!filters.isEmpty())
        setNameFilters(filters);
    const QFileInfo start(initialDir);
    if (start.isFile()) {
        setDirectory(start.absolutePath());
        selectFile(start.fileName());
    } else if (!initialDir.isEmpty()) {
        setDirectory(initialDir);
    }
}

QString OpenFileChooser::caption() {
    return QStringLiteral("ファイルを開く");
}

void OpenFileChooser::registerAsDefault() {
    setDefaultOpenDialogRunner([](QWidget* parent, const QString& initialDir,
                                  const QString& filter) -> std::optional<QString> {
        OpenFileChooser chooser(parent, initialDir, filter);
        if (execModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
            return std::nullopt;
        return chooser.selectedFiles().first();
    });
}

#include "ui/dialogs/folder_chooser.h"

#include "ui/messages.h"
#include "ui/seams.h"

#include <QDir>
#include <QFileInfo>

FolderChooser::FolderChooser(QWidget* parent, const QString& startFolder)
    : QFileDialog(parent, caption(), startFolder) {
    // The question and the creation live in accept(), which the platform's own dialog
    // would bypass.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own captions are English without its translations; the program speaks Japanese.
    setLabelText(QFileDialog::LookIn, QStringLiteral("場所："));
    setLabelText(QFileDialog::FileName, QStringLiteral("フォルダ："));
    setLabelText(QFileDialog::FileType, QStringLiteral("種類："));
    setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
}

QString FolderChooser::caption() {
    return QStringLiteral("ディレクトリの選択");
}

QString FolderChooser::createQuestion() {
    return QStringLiteral("指定されたディレクトリが存在しません。作成しますか？");
}

QString FolderChooser::createFailedText() {
    return QStringLiteral("ディレクトリを作成できません");
}

void FolderChooser::accept() {
    const QStringList selected = selectedFiles();
    if (selected.isEmpty())
        return;
    const QString folder = QDir::cleanPath(selected.first());
    if (!QFileInfo::exists(folder)) {
        if (messages().showTitled(MessageIcon::Information, MessageButtons::YesNo,
                                  createQuestion()) != MessageAnswer::Yes)
            return; // No: the chooser stays open
        if (!QDir().mkpath(folder)) {
            messages().showTitled(MessageIcon::Warning, MessageButtons::Ok,
                                  createFailedText() + QStringLiteral("：") +
                                      QDir::toNativeSeparators(folder));
            return;
        }
    }
    if (!QFileInfo(folder).isDir())
        return; // a file of that name: nothing to choose
    chosen_ = QDir::toNativeSeparators(folder);
    QDialog::accept();
}

void FolderChooser::registerAsDefault() {
    setDefaultFolderChooser(
        [](QWidget* parent, const QString& startFolder) -> std::optional<QString> {
            FolderChooser chooser(parent, startFolder);
            if (execModal(chooser) != QDialog::Accepted)
                return std::nullopt;
            return chooser.chosenFolder();
        });
}

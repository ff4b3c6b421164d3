#include "ui/seams.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QPointer>
#include <QUrl>

#include <utility>

namespace {

ModalRunner installedModalRunner;
FolderChooserRunner installedFolderChooser;
FolderChooserRunner defaultFolderChooser;
SaveDialogRunner installedSaveDialogRunner;
SaveDialogRunner defaultSaveDialogRunner;
OpenDialogRunner installedOpenDialogRunner;
OpenDialogRunner defaultOpenDialogRunner;
DesktopOpener installedDesktopOpener;
QString installedExecutableFolder;

// A web address opens as one; anything else is taken as a file path.
QUrl desktopUrl(const QString& target) {
    const QUrl url(target, QUrl::StrictMode);
    if (url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(target);
}

} // namespace

int execModal(QDialog& dialog) {
    const QPointer<QWidget> active = QApplication::activeWindow();
    const int result = dialog.exec();
    if (active && active->isVisible() && QApplication::activeWindow() != active)
        active->activateWindow();
    return result;
}

int runModal(QDialog& dialog) {
    if (installedModalRunner)
        return installedModalRunner(dialog);
    return execModal(dialog);
}

ModalRunner setModalRunner(ModalRunner runner) {
    return std::exchange(installedModalRunner, std::move(runner));
}

std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder) {
    if (installedFolderChooser)
        return installedFolderChooser(parent, startFolder);
    if (defaultFolderChooser)
        return defaultFolderChooser(parent, startFolder);
    return std::nullopt;
}

FolderChooserRunner setFolderChooser(FolderChooserRunner chooser) {
    return std::exchange(installedFolderChooser, std::move(chooser));
}

void setDefaultFolderChooser(FolderChooserRunner chooser) {
    defaultFolderChooser = std::move(chooser);
}

std::optional<QString> chooseSaveFile(QWidget* parent, const SaveDialog& dialog) {
    if (installedSaveDialogRunner)
        return installedSaveDialogRunner(parent, dialog);
    if (defaultSaveDialogRunner)
        return defaultSaveDialogRunner(parent, dialog);
    return std::nullopt;
}

SaveDialogRunner setSaveDialogRunner(SaveDialogRunner runner) {
    return std::exchange(installedSaveDialogRunner, std::move(runner));
}

void setDefaultSaveDialogRunner(SaveDialogRunner runner) {
    defaultSaveDialogRunner = std::move(runner);
}

std::optional<QString> chooseOpenFile(QWidget* parent, const QString& initialDir,
                                      const QString& filter) {
    if (installedOpenDialogRunner)
        return installedOpenDialogRunner(parent, initialDir, filter);
    if (defaultOpenDialogRunner)
        return defaultOpenDialogRunner(parent, initialDir, filter);
    return std::nullopt;
}

OpenDialogRunner setOpenDialogRunner(OpenDialogRunner runner) {
    return std::exchange(installedOpenDialogRunner, std::move(runner));
}

void setDefaultOpenDialogRunner(OpenDialogRunner runner) {
    defaultOpenDialogRunner = std::move(runner);
}

bool openWithDesktop(const QString& target) {
    if (installedDesktopOpener)
        return installedDesktopOpener(target);
    return QDesktopServices::openUrl(desktopUrl(target));
}

DesktopOpener setDesktopOpener(DesktopOpener opener) {
    return std::exchange(installedDesktopOpener, std::move(opener));
}

QString executableFolder() {
    if (!installedExecutableFolder.isEmpty())
        return installedExecutableFolder;
    return QCoreApplication::applicationDirPath();
}

QString setExecutableFolder(const QString& folder) {
    return std::exchange(installedExecutableFolder, folder);
}

#pragma once

#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;
struct SaveDialog;

// The places where the windows hand control to the user or to the desktop: running one of
// our dialogs modally, the folder chooser, the save-file dialog, opening a document or web
// address, and the executable's folder. The program uses the real thing; tests install
// answers, so nothing waits in a modal loop. Each setter returns what it replaces; an empty
// function restores the real thing.
//
// This file only keeps the registry. The real folder chooser and file dialogs live with the
// other dialogs (ui/dialogs) and register themselves as the defaults at start-up
// (registerStandardDialogs); until they have, they answer as if cancelled.

// Runs the dialog's modal loop and then gives the keyboard back to the window that had it.
// A window manager does that by itself; a bare X server does not, and the shortcuts of the
// window below would stop working. Every modal loop of the program goes through this.
int execModal(QDialog& dialog);

// Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
int runModal(QDialog& dialog);
using ModalRunner = std::function<int(QDialog&)>;
ModalRunner setModalRunner(ModalRunner runner);

// The folder chooser captioned "ディレクトリの選択", starting at startFolder. The chosen
// folder exists when it returns (a missing one is created with its parents); nullopt when
// the user cancelled.
std::optional<QString> chooseFolder(QWidget* parent, const QString& startFolder);
using FolderChooserRunner = std::function<std::optional<QString>(QWidget*, const QString&)>;
FolderChooserRunner setFolderChooser(FolderChooserRunner chooser);
void setDefaultFolderChooser(FolderChooserRunner chooser);

// The save-file dialog with the given properties: the chosen path, or nullopt when the user
// cancelled. The real dialog asks before replacing or creating a file as the properties say
// (SaveFileChooser); an installed runner answers instead.
std::optional<QString> chooseSaveFile(QWidget* parent, const SaveDialog& dialog);
using SaveDialogRunner = std::function<std::optional<QString>(QWidget*, const SaveDialog&)>;
SaveDialogRunner setSaveDialogRunner(SaveDialogRunner runner);
void setDefaultSaveDialogRunner(SaveDialogRunner runner);

// The open-file dialog for an existing file, starting in initialDir, with a filter of
// description|pattern pairs as the save dialog takes it: the chosen path, or nullopt when
// the user cancelled. An initialDir that names an existing file opens in its folder with
// the file proposed.
std::optional<QString> chooseOpenFile(QWidget* parent, const QString& initialDir,
                                      const QString& filter);
using OpenDialogRunner =
    std::function<std::optional<QString>(QWidget*, const QString&, const QString&)>;
OpenDialogRunner setOpenDialogRunner(OpenDialogRunner runner);
void setDefaultOpenDialogRunner(OpenDialogRunner runner);

// Opens a document or web address with the desktop's default application. False when the
// desktop refused it.
bool openWithDesktop(const QString& target);
using DesktopOpener = std::function<bool(const QString&)>;
DesktopOpener setDesktopOpener(DesktopOpener opener);

// The folder of the executable: the settings file, the help file and the default folder
// live there. An empty folder restores QCoreApplication::applicationDirPath().
QString executableFolder();
QString setExecutableFolder(const QString& folder);

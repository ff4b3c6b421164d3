#include "ui/dialogs/standard_dialogs.h"

#include "ui/dialogs/folder_chooser.h"
#include "ui/dialogs/open_file_chooser.h"
#include "ui/dialogs/save_file_chooser.h"

void registerStandardDialogs() {
    FolderChooser::registerAsDefault();
    SaveFileChooser::registerAsDefault();
    OpenFileChooser::registerAsDefault();
}

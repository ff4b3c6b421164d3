#pragma once

// Registers the program's own folder chooser and file dialogs as the ones the seams
// show (ui/seams.h). The program does this once at start-up.
void registerStandardDialogs();

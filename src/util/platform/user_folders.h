#pragma once

#include <QString>

// Where the program keeps the user's files when it may not keep them beside itself.

// The folder that holds the user's settings folder "tamsel": the configuration folder
// ($XDG_CONFIG_HOME, ~/.config) on Linux, the roaming application data (%APPDATA%) on
// Windows. Empty when unknown.
QString userSettingsBaseFolder();

// The folder that holds the user's cache folder "tamsel" (the demo database, snapshots):
// ~/.cache on Linux, the local application data (%LOCALAPPDATA%) on Windows.
QString userCacheBaseFolder();

// Whether the process may write the file, or make files in the folder, at path.
bool isWritableByProcess(const QString& path);

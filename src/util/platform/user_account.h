#pragma once

#include <QFileInfo>
#include <QString>

// The account the program runs as, in the operating system's terms.

// Its logon name, as the system's user database holds it; empty where there is none or it
// would not fit the 128 bytes the settings store gives the name.
QString logonUserName();

// Whether the entry belongs to that account (what a left-over scratch folder must before
// it is removed).
bool isOwnedByCurrentUser(const QFileInfo& entry);

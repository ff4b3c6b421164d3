#pragma once

#include <QString>

// The reason a Windows call failed (GetLastError()), in the words of the program's other
// messages: the errors Linux shares (a full disk, no permission, a name too long...) as
// systemErrorText words them, the system's own text for the rest. Windows builds only.
QString windowsErrorText(unsigned long error);

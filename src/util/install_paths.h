#pragma once

#include <QString>

// The program's own files are beside the executable in the build tree (or a copy run from
// its folder) and, once installed, in share/tamsel next to the executable's bin folder.

// The help page: <executable folder>/Html/index.html when it exists, else
// <executable folder>/../share/tamsel/Html/index.html when that exists, else the first (so
// the caller's "cannot open" names the place a build would have it).
QString helpPagePath(const QString& executableFolder);

// Whether the executable is installed: share/tamsel stands next to its bin folder. An
// installed program writes nothing beside itself, whoever runs it (root could write
// /usr/bin, and what it left there no package would remove); its settings and the demo
// database go to the user's folders.
bool isInstalledLayout(const QString& executableFolder);

// The README an installed program carries (share/doc/tamsel/README.md next to its bin
// folder); empty where there is none, as in the build tree.
QString readmePath(const QString& executableFolder);

#pragma once

#include <QString>

// The program's own files are beside the executable in the build tree (or a copy run from
// its folder) and, once installed, in share/tamsel next to the executable's bin folder.

// The help page: <executable folder>/Html/index.html when it exists, else
// <executable folder>/../share/tamsel/Html/index.html when that exists, else the first (so
// the caller's "cannot open" names the place a build would have it).
QString helpPagePath(const QString& executableFolder);

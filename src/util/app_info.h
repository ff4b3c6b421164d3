#pragma once

#include <QString>

// The application title: caption of the program's own message boxes, the Application
// key of the settings file, the name in the version window and in generated headers.
inline QString applicationTitle() {
    return QStringLiteral("Tamsel");
}

// The maker's copyright line (settings file and version window).
inline QString copyrightText() {
    return QStringLiteral("Copyright (C) 2026 The Tamsel developers");
}

// The licence, as GNU programs state it after their version.
inline QString licenceText() {
    return QStringLiteral("License GPL-3.0-or-later: GNU GPL version 3 or later "
                          "<https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n");
}

// The maker's web address shown in the version window.
inline QString makerUrl() {
    return QStringLiteral("https://tamsel.example.org/");
}

#pragma once

#include <QString>

// The generation settings: section Params of the settings file, each field named by its
// key. The member initializers are the defaults a missing or unreadable value takes.
struct TPackParameters {
    bool PackHeader = true; // write the package header block
    bool ProcHeader = true; // write routine header blocks
    QString Public = QStringLiteral("PUB_");
    QString Custom = QStringLiteral("MAIN_");
    QString Set = QStringLiteral("SET_");
    QString Clr = QStringLiteral("CLR_");
    QString INS = QStringLiteral("INS_");
    QString UPD = QStringLiteral("UPD_");
    QString PackName; // empty: the generators name the package
    QString SysName;
    QString Owner;     // empty at load: the logged-on user's name
    qint32 Indent = 2; // blanks per indentation step
    qint32 RefStrLen = 30;
    QString DefPath; // empty at load: the executable's folder
    QString VbName = QStringLiteral("MOD_ParamSet");
};

// The range the options dialog can enter for Indent and RefStrLen (two characters).
inline constexpr qint32 kMinSmallNumber = -9;
inline constexpr qint32 kMaxSmallNumber = 99;

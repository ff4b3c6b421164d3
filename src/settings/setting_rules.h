#pragma once

#include "settings/pack_parameters.h"

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// One rule for the values of the generation settings, wherever they come from: what the
// options dialog accepts, what LoadSettings takes from the settings file and what tamsel-gen
// takes from a profile.

// Why a value is refused. The numbers are the options dialog's check results.
enum class SettingFault : qint32 {
    None = 0,
    PrefixMissing = 7, // a prefix is empty
    NotANumber = 9,    // not an integer of the two-character range
    NotALetter = 99,   // a name does not begin with an ASCII letter
    Control = 32,      // a text holds a control character
};

// "接頭語は必須です", "数値を入力してください", "名称の先頭は英字を指定してください"; for
// Control "制御文字 U+0009 があります", naming the first one in typed once trimmed; empty
// for None.
QString settingFaultText(SettingFault fault, QStringView typed = {});

// What a Params value is and which check it gets.
enum class SettingKind {
    Flag,        // PackHeader, ProcHeader
    Prefix,      // required, and begins with a letter once trimmed
    PackageName, // empty (the generators name the package), or begins with a letter as typed
    Text,        // any text without control characters
    SmallNumber, // an integer text of kMinSmallNumber to kMaxSmallNumber
};

// A text as the settings hold it: without blanks at either end.
QString settingText(QStringView typed);

// The check of a typed text of a kind (Flag: always None). Prefixes are checked trimmed, a
// package name as typed, so that one beginning with a blank is refused. No text may keep a
// control character once trimmed: most of them are written into generated code, where a
// line break would split a line (a folder with one is not worth the exception).
SettingFault checkSetting(SettingKind kind, QStringView typed);

bool isSmallNumber(double value);

// A key of the settings file's Params section and the field of the settings record it holds.
struct ParamsKey {
    QLatin1StringView name;
    SettingKind kind;
    QString TPackParameters::*text = nullptr;  // Prefix, PackageName, Text
    bool TPackParameters::*flag = nullptr;     // Flag
    qint32 TPackParameters::*number = nullptr; // SmallNumber
};

// Every Params key, in the file's order.
const QList<ParamsKey>& paramsKeys();

// The key's field copied from source into target, and compared between two records.
void copySetting(const ParamsKey& key, const TPackParameters& source, TPackParameters& target);
bool sameSetting(const ParamsKey& key, const TPackParameters& a, const TPackParameters& b);

// The first character of a settings value that the Shift-JIS settings file cannot hold.
std::optional<QString> unstorableCharacter(QStringView value);
// "Shift-JISで保存できない文字があります：「é」"
QString unstorableCharacterText(const QString& character);

// The service as it may be written to any file: an ODBC connection string loses its PWD and
// PASSWORD attributes (names matched without regard to case, a value in braces taken whole);
// any other text stays as it is.
QString serviceWithoutPassword(const QString& service);

// Control characters (below U+0020, and U+007F) have no place in a name that generated code
// or a message carries: a line break would end the line, an escape sequence would steer the
// terminal that shows the message.
bool isControlCharacter(QChar c);
std::optional<QChar> firstControlCharacter(QStringView text);
// "U+001B"
QString characterCode(QChar c);
// "制御文字 U+001B があります"
QString controlCharacterText(QChar c);
// A name as a message shows it: each control character as its code in brackets
// ("[U+001B]"), at most `shown` characters followed by "…".
QString shownName(QStringView name, qsizetype shown = 32);

// The user as it may be written to any file, shown in a caption or written into generated
// code as the schema. The logon sends user "/" password and the
// session splits that at the first "/", so whatever follows a "/" typed into the user field
// ("SCOTT/TIGER") is password.
QString userWithoutPassword(const QString& user);

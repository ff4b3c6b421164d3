#pragma once

#include "gen/vb/vb_module_generator.h"
#include "model/generation_model.h"
#include "settings/settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>
#include <stdexcept>

// A profile that cannot be used: unreadable, not JSON, an unknown key, a value of the wrong
// type or out of the range the window allows, an unknown or repeated table. The message
// names the file and the key or table.
class GenProfileError : public std::runtime_error {
public:
    explicit GenProfileError(const QString& message);
    QString message() const { return QString::fromStdString(what()); }
};

// One table of the selection, with what the window's row and argument dialog would hold.
struct ProfileTable {
    QString name;
    TableFlagValues flags;      // all clear unless the profile sets them
    QStringList argumentTables; // names of listed tables, as written
    bool genStrOn = false;
    qint32 genStrCount = 10;
    bool genNumOn = false;
    qint32 genNumCount = 10;
};

// Where a profile's tables stand in a table list.
struct ProfileMatch {
    QList<qsizetype> positions; // of the tables the list holds, ascending (the candidate order)
    QStringList missing;        // the tables it does not hold, in the profile's order
};

// A profile (UTF-8 JSON): what tamsel-gen takes from it and what the window saves and opens.
struct GenProfile {
    QString path; // the file, for messages and for resolving a relative "ini"
    QString service;
    QString user; // as written: it is the schema that qualifies every table
    std::optional<QString> password;
    std::optional<QString> ini; // as written; see iniPath()
    QVariantMap settings;       // settings keys present in the profile, values checked
    VbOptions vb;               // the three module menu marks, all on unless set
    QList<ProfileTable> tables; // in the profile's order

    // The settings file to load, a relative path taken from the profile's folder.
    std::optional<QString> iniPath() const;

    // Puts every settings key of the profile over the loaded settings.
    void applySettings(TPackParameters& settings) const;

    // The settings keys of the profile whose value differs from the one in settings, in the
    // settings file's order.
    QStringList differingSettings(const TPackParameters& settings) const;

    // Every settings key with its value in settings, as a profile holds them.
    static QVariantMap settingsOf(const TPackParameters& settings);

    // The profile's tables matched against a table list.
    ProfileMatch matchTableList(const QStringList& tableList) const;

    // The selected tables as positions of the table list, in table-list order (the
    // candidate order). Throws GenProfileError naming a table the list does not hold.
    QList<qsizetype> selectionIn(const QStringList& tableList) const;

    // Sets the flags and argument settings of each candidate from the profile. candidates
    // are the selected tables in candidate order, as selectionIn gave them.
    void applyTables(TCandidateList& candidates, PlainTableFlags& flags) const;
};

// Reads and checks a profile. Throws GenProfileError.
GenProfile parseGenProfile(const QByteArray& json, const QString& path);
GenProfile readGenProfile(const QString& path);
// The profile on a descriptor (tamsel-gen's standard input), read to its end within the
// same bound as a file. Messages call it "標準入力"; having no folder, it takes a relative
// "ini" from the working folder.
GenProfile readGenProfile(int descriptor);

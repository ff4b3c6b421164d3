#pragma once

#include "gen/vb/vb_module_generator.h"
#include "model/generation_model.h"
#include "profile/gen_profile.h"
#include "settings/settings.h"

#include <QByteArray>
#include <QString>

// The writing side of the profile format: what readGenProfile reads back as the same
// profile. A password is never written: not the "password" key, not one inside an ODBC
// connection string given as the service, not one typed after a "/" in the user field
// (the settings store's rules for service and user).

// The window's selection as a profile: the logon's service and user, every setting that
// changes the generated text (all of them but DefPath), the module menu's marks and the
// candidates in candidate order with their flags, argument tables by name and generic
// arguments.
GenProfile selectionProfile(const QString& service, const QString& user,
                            const TPackParameters& settings, const VbOptions& vb,
                            const TCandidateList& candidates, const TableFlags& flags);

// The profile as UTF-8 JSON: the keys in a fixed order (service, user, ini, settings in the
// settings file's order, vb, tables), one table to a line so that a changed table is one
// changed line in a diff.
QByteArray profileJson(const GenProfile& profile);

// Whether the profile was written for this logon: the service compared without a password
// and without regard to case (the logon window upper-cases it), the user exactly (it is the
// schema of the generated code).
bool profileMatchesLogon(const GenProfile& profile, const QString& service, const QString& user);

// Writes profileJson through the safe writer: the whole file or nothing. A profile the
// reader would refuse (settings the options dialog does not accept, such as an empty
// prefix a settings file may hold) is not written: GenProfileError, naming the file and
// the key. FileWriteError when the file cannot be written.
void saveGenProfile(const QString& path, const GenProfile& profile);

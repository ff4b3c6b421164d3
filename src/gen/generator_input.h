#pragma once

#include "model/generation_model.h"
#include "settings/settings.h"
#include "util/clock.h"

#include <QString>

// What every generator reads, and nothing else: the candidate list with its flags, the
// settings, the logon user (the schema that qualifies every table), the longest table name
// for alignment, and the clock for header dates. Generators never change any of it.
struct GeneratorInput {
    const TCandidateList& candidates;
    const TableFlags& flags;
    const TPackParameters& settings;
    QString userName;
    qint32 maxTableNameLength = 0;
    const Clock& clock;
};

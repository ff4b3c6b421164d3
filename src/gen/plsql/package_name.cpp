#include "gen/plsql/package_name.h"

#include "settings/settings.h"
#include "util/blanks.h"

QString FormPackageName(const TPackParameters& settings, const TCandidateList& candidates,
                        const TableFlags& flags) {
    if (!isBlankOnly(settings.PackName))
        return settings.PackName;
    const qsizetype first = firstPublicTable(candidates, flags);
    if (first < 0)
        return {};
    return candidates[first].TableName + QStringLiteral("_PACK");
}

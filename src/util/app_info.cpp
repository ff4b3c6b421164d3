#include "util/app_info.h"

#include "build_info.h"

QString GetFileVersionText() {
    return QStringLiteral(TAMSEL_VERSION_TEXT);
}

#include "app_fixture.h"

#include "settings/profile_file.h"
#include "settings/settings.h"
#include "support/test_files.h"
#include "util/sjis.h"

ProgramRun::ProgramRun(const QString& settingsText) {
    if (!settingsText.isEmpty()) {
        QString text = settingsText;
        text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
        writeFileBytes(iniPath(), toSjis(text));
    }
    program = std::make_unique<Program>(databases.factory());
}

ProgramRun::ProgramRun(SessionFactory factory) {
    program = std::make_unique<Program>(std::move(factory));
}

QString ProgramRun::iniPath() const {
    return settingsFilePath(folder.path());
}

QString ProgramRun::stored(const QString& section, const QString& key) const {
    return ProfileFile(iniPath()).readString(section, key, QStringLiteral("<missing>"));
}

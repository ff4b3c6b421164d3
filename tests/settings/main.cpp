#include "support/test_main.h"
#include "tst_profile_file.h"
#include "tst_settings.h"
#include "tst_settings_file_writes.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestProfileFile, TestSettings, TestSettingsFileWrites)

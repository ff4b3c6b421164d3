#include "support/test_main.h"
#include "tst_profile_file.h"
#include "tst_settings.h"
#ifndef Q_OS_WIN
#include "tst_settings_file_writes.h"
#endif

#include <QCoreApplication>

#ifdef Q_OS_WIN
TAMSEL_TEST_MAIN(QCoreApplication, TestProfileFile, TestSettings)
#else
TAMSEL_TEST_MAIN(QCoreApplication, TestProfileFile, TestSettings, TestSettingsFileWrites)
#endif

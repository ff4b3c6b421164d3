#include "support/test_main.h"
#include "tst_blanks_and_report.h"
#include "tst_clock.h"
#ifndef Q_OS_WIN
#include "tst_input_file.h"
#endif
#include "tst_install_paths.h"
#include "tst_integer_text.h"
#include "tst_output_check.h"
#ifndef Q_OS_WIN
#include "tst_safe_file.h"
#endif
#include "tst_sjis.h"
#ifndef Q_OS_WIN
#include "tst_sjis_iconv.h"
#endif

#include <QCoreApplication>

#ifdef Q_OS_WIN
TAMSEL_TEST_MAIN(QCoreApplication, TestSjis, TestIntegerText, TestBlanksAndReport, TestClock,
                 TestInstallPaths, TestOutputCheck)
#else
TAMSEL_TEST_MAIN(QCoreApplication, TestSjis, TestSjisIconv, TestIntegerText, TestBlanksAndReport,
                 TestClock, TestSafeFile, TestInstallPaths, TestInputFile, TestOutputCheck)
#endif

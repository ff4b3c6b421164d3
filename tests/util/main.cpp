#include "support/test_main.h"
#include "tst_blanks_and_report.h"
#include "tst_clock.h"
#include "tst_input_file.h"
#include "tst_install_paths.h"
#include "tst_integer_text.h"
#include "tst_output_check.h"
#include "tst_safe_file.h"
#include "tst_sjis.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestSjis, TestIntegerText, TestBlanksAndReport, TestClock,
                 TestSafeFile, TestInstallPaths, TestInputFile, TestOutputCheck)

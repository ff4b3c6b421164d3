#include "support/test_main.h"
#include "tst_package_layout.h"
#include "tst_package_name.h"
#include "tst_reserved_names.h"
#include "tst_section_rules.h"
#include "tst_worked_examples.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestWorkedExamples, TestPackageName, TestPackageLayout,
                 TestSectionRules, TestReservedNames)

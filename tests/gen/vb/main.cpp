#include "support/test_main.h"
#include "tst_vb_calling_function.h"
#include "tst_vb_module.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestVbModule, TestVbCallingFunction)

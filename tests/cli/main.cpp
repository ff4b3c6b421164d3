#include "support/test_main.h"
#include "tst_command_line.h"
#include "tst_gen_process.h"
#include "tst_gen_profile.h"

#include <QCoreApplication>

TAMSEL_TEST_MAIN(QCoreApplication, TestGenProfile, TestCommandLine, TestGenProcess)

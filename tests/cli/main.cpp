#include "support/test_main.h"
#include "tst_command_line.h"
#include "tst_gen_profile.h"
#ifndef Q_OS_WIN
#include "tst_gen_odbc.h"
#include "tst_gen_process.h"
#endif

#include <QCoreApplication>

#include <vector>

// "tst_cli odbc [options]" runs tamsel-gen against the PostgreSQL server of the CTest
// fixture; without "odbc" the tests that need no server run. On Windows only the tests
// that run no process are built.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    return runTestClasses<TestGenProfile, TestCommandLine>(argc, argv);
#else
    if (argc > 1 && qstrcmp(argv[1], "odbc") == 0) {
        std::vector<char*> arguments{argv[0]};
        arguments.insert(arguments.end(), argv + 2, argv + argc);
        return runTestClasses<TestGenOdbc>(int(arguments.size()), arguments.data());
    }
    return runTestClasses<TestGenProfile, TestCommandLine, TestGenProcess>(argc, argv);
#endif
}

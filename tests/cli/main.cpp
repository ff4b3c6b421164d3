#include "support/test_main.h"
#include "tst_command_line.h"
#include "tst_gen_odbc.h"
#include "tst_gen_process.h"
#include "tst_gen_profile.h"

#include <QCoreApplication>

#include <vector>

// "tst_cli odbc [options]" runs tamsel-gen against the PostgreSQL server of the CTest
// fixture; without "odbc" the tests that need no server run.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "odbc") == 0) {
        std::vector<char*> arguments{argv[0]};
        arguments.insert(arguments.end(), argv + 2, argv + argc);
        return runTestClasses<TestGenOdbc>(int(arguments.size()), arguments.data());
    }
    return runTestClasses<TestGenProfile, TestCommandLine, TestGenProcess>(argc, argv);
}

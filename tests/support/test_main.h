#pragma once

#include <QTest>

// Runs several Qt Test classes in one executable (one executable per area):
//     TAMSEL_TEST_MAIN(QCoreApplication, TestSjis, TestBlanks)
// Each class runs with the command-line arguments; the exit status is non-zero when any
// class had a failure.
template <typename Test> int runTestClass(int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

template <typename... Tests> int runTestClasses(int argc, char** argv) {
    return (runTestClass<Tests>(argc, argv) | ...);
}

#define TAMSEL_TEST_MAIN(Application, ...)                                                         \
    int main(int argc, char** argv) {                                                              \
        Application app(argc, argv);                                                               \
        return runTestClasses<__VA_ARGS__>(argc, argv);                                            \
    }

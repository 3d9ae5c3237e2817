#pragma once

#include <QStandardPaths>
#include <QTest>

// The main() of a test program that runs its test object inside an application object of the
// given class, with Qt's test paths so that no user file is touched.
#define TAVRIX_TEST_MAIN(TestClass, ApplicationClass)                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        ApplicationClass app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

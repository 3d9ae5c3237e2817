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

// As TAVRIX_TEST_MAIN, for a test program that is also its own helper process: `RunHelper(argc,
// argv)` runs first and answers the helper's exit code, or -1 when the arguments name no helper.
#define TAVRIX_TEST_MAIN_WITH_HELPER(TestClass, ApplicationClass, RunHelper)                       \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (const int helperCode = RunHelper(argc, argv); helperCode >= 0)                         \
            return helperCode;                                                                     \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        ApplicationClass app(argc, argv);                                                          \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

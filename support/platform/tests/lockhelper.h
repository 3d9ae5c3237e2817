#pragma once

#include "HelperProcess.h"

#include <QTest>

#include <memory>

// The lock test helper, seeing this test's locks, started until it says "ready" (null when it
// does not).
inline std::unique_ptr<HelperProcess> StartReadyHelper(const QStringList& arguments)
{
    auto helper = std::make_unique<HelperProcess>(arguments, QStringLiteral(TAVRIX_MUTEX_HELPER));
    helper->ShareTestRuntimeFolder();
    return helper->Start() && helper->ReadLine() == "ready" ? std::move(helper) : nullptr;
}

// Kills the helper the hard way, as a crash would end it.
inline bool KillHelper(HelperProcess& helper)
{
    helper.Kill(SIGKILL);
    return helper.Process().exitStatus() == QProcess::CrashExit;
}

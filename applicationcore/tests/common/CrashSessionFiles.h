#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

// Where the default product keeps its crash sessions and reports, and the session file of a
// program.

// Above the kernel's largest process id, so never a running process.
constexpr char DEAD_PID[] = "4999999";

inline QString CrashDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DataLocation)
           + QStringLiteral("/Tavrix/vellumix 2.4.1/");
}

inline QString SessionFile(const QString& executable = QCoreApplication::applicationFilePath())
{
    return CrashDataFolder() + QFileInfo(executable).baseName() + QStringLiteral(".ini");
}

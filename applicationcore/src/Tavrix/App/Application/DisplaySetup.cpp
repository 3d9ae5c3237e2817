#include <Tavrix/App/Application/DisplaySetup.h>

#include <Tavrix/Core/DyLib.h>

#include <QCoreApplication>

namespace Tavrix::App {
namespace {

using SetProcessDpiAwarenessFunction = long (*)(int awareness);
constexpr int PROCESS_DPI_UNAWARE = 0;

} // namespace

void HighDpiFix()
{
    if (qEnvironmentVariableIsSet("TAVRIX_DPI_POLICY") && qgetenv("TAVRIX_DPI_POLICY") == "NOSCALE")
        return;
    Core::DyLib shcore;
    if (shcore.Open("Shcore.dll")) {
        if (void* const proc = shcore.GetProc("SetProcessDpiAwareness")) {
            reinterpret_cast<SetProcessDpiAwarenessFunction>(proc)(PROCESS_DPI_UNAWARE);
            return;
        }
    }
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
}

void UseDesktopOpenGL()
{
    QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL, true);
}

} // namespace Tavrix::App

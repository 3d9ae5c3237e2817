#include <Tavrix/App/Application/GPUDriverMessages.h>

#include <Tavrix/App/Application/Application.h>

#include <QCoreApplication>
#include <QVariant>

namespace {

QString Message(const char* text, const Tavrix::URLKeys& key)
{
    const auto* application = qobject_cast<Tavrix::App::Application*>(QCoreApplication::instance());
    const QString url = application ? application->GetUrl(key) : QString();
    const QString style = application ? application->property("linkStyle").toString() : QString();
    // One step, so that a "%1" in the address or the style stays as it is.
    return QCoreApplication::translate("SharedMessages", text).arg(url, style);
}

} // namespace

QString GetGPUNeedSetupDriverMessage(const Tavrix::URLKeys& key)
{
    return Message(
        QT_TRANSLATE_NOOP(
            "SharedMessages",
            "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration has been disabled in "
            "NVIDIA<sup>&reg;</sup> Control Panel. To enable CUDA&#8482; acceleration for Tavrix "
            "Reelcast, select <b>High-performance NVIDIA<sup>&reg;</sup> processor</b> as your "
            "preferred graphics processor in NVIDIA<sup>&reg;</sup> Control Panel.<br><br><a "
            "href=\"%1\" style=\"%2\">Detailed Instructions</a>"),
        key);
}

QString GetGPUUnsupportedDriverMessage(const Tavrix::URLKeys& key)
{
    return Message(
        QT_TRANSLATE_NOOP(
            "SharedMessages",
            "Unfortunately, the currently installed graphics card driver does not support "
            "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration.<br><br>You can install an earlier "
            "version of the NVIDIA<sup>&reg;</sup> graphics card driver to enable CUDA&#8482; "
            "acceleration. To do that, simply download the installation package and follow the "
            "manufacturer's instructions to install the driver.<br><br><a href=\"%1\" "
            "style=\"%2\">Download Driver</a>"),
        key);
}

#pragma once

#include <Tavrix/App/ApplicationCore.h>
#include <Tavrix/Platform/ProcessHandle.h>

#include <QObject>

#include <memory>

class QSocketNotifier;

/// The product's side of the focus hand-over with a helper program it launched: when the helper
/// says "applicationClosed", the answer is "yes=" and the main window's id, so that the helper
/// can give that window the keyboard focus as it goes.
class HelperLink : public QObject, public Tavrix::App::IIPCClient
{
    Q_OBJECT

public:
    HelperLink(QWidget* mainWindow, QObject* parent);
    ~HelperLink() override;

    void SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel) override;
    void SetAppHandler(int handle) override;
    void ChannelClosed() override;

Q_SIGNALS:
    /// The helper closed and was told the window to hand the focus to.
    void Answered(qulonglong window);
    /// The helper's process has ended.
    void Finished();

private:
    void OnData();

    QWidget* const m_mainWindow;
    boost::intrusive_ptr<Tavrix::Core::IDataChannel> m_channel;
    Tavrix::Platform::ProcessHandle m_helper;
    std::unique_ptr<QSocketNotifier> m_dataNotifier;
    std::unique_ptr<QSocketNotifier> m_exitNotifier;
};

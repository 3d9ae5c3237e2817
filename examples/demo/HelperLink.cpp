#include "HelperLink.h"

#include <Tavrix/Core/IOException.h>

#include <QSocketNotifier>
#include <QWidget>

#include <glog/logging.h>

using Tavrix::App::IPCFocusTransfererSlave;

HelperLink::HelperLink(QWidget* mainWindow, QObject* parent)
    : QObject(parent), m_mainWindow(mainWindow)
{
}

HelperLink::~HelperLink() = default;

// The channel's descriptor turns readable when the helper writes or closes, so reading never
// blocks the event loop.
void HelperLink::SetCommunicationChannel(boost::intrusive_ptr<Tavrix::Core::IDataChannel> channel)
{
    m_channel = std::move(channel);
    m_dataNotifier
        = std::make_unique<QSocketNotifier>(m_channel->InputHandle(), QSocketNotifier::Read);
    connect(m_dataNotifier.get(), &QSocketNotifier::activated, this, &HelperLink::OnData);
}

// The process handle turns readable when the helper ends.
void HelperLink::SetAppHandler(int handle)
{
    m_helper = Tavrix::Platform::ProcessHandle(handle > 0 ? handle : -1);
    if (!m_helper.IsValid())
        return;
    m_exitNotifier = std::make_unique<QSocketNotifier>(m_helper.Get(), QSocketNotifier::Read);
    connect(m_exitNotifier.get(), &QSocketNotifier::activated, this, [this] {
        m_exitNotifier->setEnabled(false);
        emit Finished();
    });
}

void HelperLink::ChannelClosed()
{
    m_dataNotifier.reset();
    m_channel.reset();
}

void HelperLink::OnData()
{
    try {
        const std::size_t size = m_channel->GetSize();
        if (size == 0) { // the helper closed its end
            ChannelClosed();
            return;
        }
        QByteArray message(static_cast<int>(size), '\0');
        m_channel->Read(message.data(), size);
        if (QString::fromLatin1(message) != IPCFocusTransfererSlave::APPLICATION_CLOSE_MESSAGE)
            return;
        const qulonglong window = m_mainWindow->window()->winId();
        const QByteArray answer
            = (IPCFocusTransfererSlave::RETURN_YES + '=' + QString::number(window)).toLatin1();
        m_channel->Write(answer.constData(), static_cast<std::size_t>(answer.size()));
        emit Answered(window);
    } catch (const Tavrix::Core::IOException& error) {
        LOG(WARNING) << "The helper's channel failed: " << error.what();
        ChannelClosed();
    }
}

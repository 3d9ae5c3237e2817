#pragma once

#include <QString>
#include <QStringList>

#include <glog/logging.h>

#include <mutex>
#include <utility>

// Collects what glog writes while it is registered.
class CapturingLogSink : public google::LogSink
{
public:
    CapturingLogSink() { google::AddLogSink(this); }
    ~CapturingLogSink() override { google::RemoveLogSink(this); }

    void send(google::LogSeverity, const char*, const char*, int, const google::LogMessageTime&,
              const char* message, size_t length) override
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_lines << QString::fromUtf8(message, static_cast<int>(length));
    }
    QStringList TakeLines()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return std::exchange(m_lines, {});
    }

private:
    std::mutex m_mutex;
    QStringList m_lines;
};

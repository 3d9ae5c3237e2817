#pragma once

#include <Tavrix/App/Application/SettingsManager.h>

#include <QTemporaryDir>

#include <memory>

// A temporary folder for a test's files, where each new .ini store gets a file no store had before.
class TemporaryStores
{
public:
    bool IsValid() const { return m_dir.isValid(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString NewFile() { return Path(QStringLiteral("store%1.ini").arg(++m_count)); }
    std::shared_ptr<Tavrix::App::SettingsManager> NewStore()
    {
        return std::make_shared<Tavrix::App::SettingsManager>(NewFile(), QSettings::IniFormat);
    }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

#pragma once

#include "core/settingsstore.h"

#include <QSettings>
#include <memory>

/** The per-user settings store: an INI file in the user's configuration folder
 *  (~/.config/ZR-N/Quelp.ini), organisation "ZR-N", application "Quelp". */
class QSettingsStore : public ISettingsStore {
public:
    QSettingsStore();
    /** A store in an explicit INI file (tests). */
    explicit QSettingsStore(const QString& iniPath);

    int ReadInt(const std::string& section, const std::string& key, int fallback) const override;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    /** The underlying QSettings, for the framework's own entries (recent files, window state). */
    QSettings& Settings() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
};

#include "qsettingsstore.h"

#include "core/cp932.h"

namespace {
QString KeyPath(const std::string& section, const std::string& key)
{
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}
}  // namespace

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("ZR-N"), QStringLiteral("Quelp")))
{
}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

int QSettingsStore::ReadInt(const std::string& section, const std::string& key, int fallback) const
{
    // An INI file gives integers back as strings; anything unreadable counts as missing.
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

std::string QSettingsStore::ReadString(const std::string& section, const std::string& key,
                                       const std::string& fallback) const
{
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid())
        return fallback;
    return Cp932FromQString(value.toString()).Bytes;
}

void QSettingsStore::WriteInt(const std::string& section, const std::string& key, int value)
{
    settings_->setValue(KeyPath(section, key), value);
    settings_->sync();
}

void QSettingsStore::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value)
{
    settings_->setValue(KeyPath(section, key), QStringFromCp932(value));
    settings_->sync();
}

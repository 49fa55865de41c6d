#include "memorysettingsstore.h"

#include "decimal.h"

int MemorySettingsStore::ReadInt(const std::string& section, const std::string& key,
                                 int fallback) const
{
    auto it = values_.find({section, key});
    if (it == values_.end())
        return fallback;
    if (const int* value = std::get_if<int>(&it->second))
        return *value;
    return DecimalPrefix(std::get<std::string>(it->second));
}

std::string MemorySettingsStore::ReadString(const std::string& section, const std::string& key,
                                            const std::string& fallback) const
{
    auto it = values_.find({section, key});
    if (it == values_.end())
        return fallback;
    if (const std::string* value = std::get_if<std::string>(&it->second))
        return *value;
    return std::to_string(std::get<int>(it->second));
}

void MemorySettingsStore::WriteInt(const std::string& section, const std::string& key, int value)
{
    values_[{section, key}] = value;
    ++writes_;
}

void MemorySettingsStore::WriteString(const std::string& section, const std::string& key,
                                      const std::string& value)
{
    values_[{section, key}] = value;
    ++writes_;
}

bool MemorySettingsStore::Contains(const std::string& section, const std::string& key) const
{
    return values_.count({section, key}) != 0;
}

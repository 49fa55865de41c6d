#pragma once

#include <string>

/** The per-user store of defaults: named values in sections. A missing value reads as the given
 *  default; a failed write is ignored. Strings are CP932 bytes. */
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual int ReadInt(const std::string& section, const std::string& key, int fallback) const = 0;
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& fallback) const = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
    virtual void WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

/** The section that holds every default of the program. */
inline constexpr const char* kDefaultSection = "DEFAULT";

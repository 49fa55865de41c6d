#pragma once

#include "settingsstore.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

/** A settings store held in memory: for tests and for runs that must not touch the user's store. */
class MemorySettingsStore : public ISettingsStore {
public:
    int ReadInt(const std::string& section, const std::string& key, int fallback) const override;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    bool Contains(const std::string& section, const std::string& key) const;
    /** Number of writes so far, to tell "written again with the same value" from "not written". */
    int WriteCount() const { return writes_; }

private:
    using Value = std::variant<int, std::string>;
    std::map<std::pair<std::string, std::string>, Value> values_;
    int writes_ = 0;
};

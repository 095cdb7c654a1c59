#pragma once
// A settings store that lives as long as the object: for tests, which also
// read back every read and write in the order the component made them.

#include <string>
#include <vector>

#include "adapters/headless/settings_document.h"
#include "host/platform.h"

namespace brackwell::headless {

struct SettingsAccess {
    std::string app;
    std::string section;
    std::string key;
    std::string value;  // the value written, or the one a read gave back
};

class MemorySettingsStore final : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // A store that refuses every write from now on (a registry without the
    // rights): SaveSetting fails with error 5 and keeps nothing.
    void RefuseWrites(bool refuse) { refuseWrites_ = refuse; }

    const std::vector<SettingsAccess>& Reads() const { return reads_; }
    const std::vector<SettingsAccess>& Writes() const { return writes_; }  // the writes kept

private:
    SettingsDocument document_;
    std::vector<SettingsAccess> reads_;
    std::vector<SettingsAccess> writes_;
    bool refuseWrites_ = false;
};

}  // namespace brackwell::headless

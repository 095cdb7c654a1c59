#include "adapters/headless/memory_settings_store.h"

#include "host/automation_error.h"

namespace brackwell::headless {

std::string MemorySettingsStore::GetSetting(const std::string& app, const std::string& section,
                                            const std::string& key, const std::string& defaultValue) {
    std::string value = document_.Get(SettingsDocument::GroupName(app, section), key).value_or(defaultValue);
    reads_.push_back(SettingsAccess{app, section, key, value});
    return value;
}

void MemorySettingsStore::SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                                      const std::string& value) {
    if (refuseWrites_)
        Raise(err::kInvalidCall, StandardDescription(err::kInvalidCall) + ": " + key + " lässt sich nicht schreiben");
    document_.Set(SettingsDocument::GroupName(app, section), key, value);
    writes_.push_back(SettingsAccess{app, section, key, value});
}

}  // namespace brackwell::headless

#pragma once
// The per-user settings store where VB's GetSetting and SaveSetting keep
// their values: one REG_SZ value per key under
//   HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>

#include <string>

#include "host/platform.h"

namespace brackwell::win {

class RegistrySettingsStore final : public SettingsStore {
public:
    // An absent section or key gives `defaultValue`. A value that is not text
    // (REG_SZ) or cannot be read is error 13, its description naming the key.
    std::string GetSetting(const std::string& app, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    // Creates the application and section keys as needed.
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace brackwell::win

#pragma once
// The registry port over RegOpenKeyExW, RegQueryValueExW and RegCloseKey:
// status codes as the system returns them, keys as their HKEY values. The
// caller closes what it opened (the port mirrors the Win32 calls). Keys are
// the port's integers, not the settings store's RegistryKey owner.

#include "host/system.h"

namespace brackwell::win {

class WinRegistry final : public Registry {
public:
    long OpenKey(std::uintptr_t root, const std::string& path, std::uint32_t access, brackwell::RegistryKey& key) override;
    long QueryValue(brackwell::RegistryKey key, const std::string& name, std::uint32_t bufferSize, std::uint32_t& type,
                    std::vector<std::uint8_t>& data) override;
    long CloseKey(brackwell::RegistryKey key) override;
};

}  // namespace brackwell::win

#pragma once
// Owner of one open registry key: closed once, moved but never copied.

#include <windows.h>

#include <utility>

namespace brackwell::win {

class RegistryKey {
public:
    RegistryKey() noexcept = default;
    explicit RegistryKey(HKEY key) noexcept : key_(key) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        std::swap(key_, other.key_);
        return *this;
    }
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }

    HKEY Get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != nullptr; }
    // For the [out] HKEY of RegOpenKeyExW and RegCreateKeyExW.
    HKEY* Receive() noexcept {
        *this = RegistryKey();
        return &key_;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace brackwell::win

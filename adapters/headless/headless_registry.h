#pragma once
// A registry in memory with the Win32 calls' rules: keys by root and path
// (letter case ignored), values by name, status codes instead of failures.
// A test writes the values; every key opened and not yet closed is counted.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/system.h"

namespace brackwell::headless {

class HeadlessRegistry final : public Registry {
public:
    static constexpr long kInvalidHandle = 6;  // ERROR_INVALID_HANDLE

    // Registry
    long OpenKey(std::uintptr_t root, const std::string& path, std::uint32_t access, RegistryKey& key) override;
    // A value longer than the buffer gives reg::kMoreData and no data.
    long QueryValue(RegistryKey key, const std::string& name, std::uint32_t bufferSize, std::uint32_t& type,
                    std::vector<std::uint8_t>& data) override;
    long CloseKey(RegistryKey key) override;

    // Writing, as a test prepares the machine. A key exists once a value is
    // written into it.
    void SetText(std::uintptr_t root, const std::string& path, const std::string& name, const std::string& text);
    void SetDword(std::uintptr_t root, const std::string& path, const std::string& name, std::uint32_t value);
    void SetValue(std::uintptr_t root, const std::string& path, const std::string& name, std::uint32_t type,
                  std::vector<std::uint8_t> data);

    std::size_t OpenKeys() const { return open_.size(); }
    const std::vector<std::uint32_t>& AccessRequested() const { return accessRequested_; }

private:
    struct Value {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    using Values = std::map<std::string, Value>;  // by value name, folded

    std::map<std::pair<std::uintptr_t, std::string>, Values> keys_;  // by root and folded path
    std::map<RegistryKey, const Values*> open_;
    RegistryKey nextKey_ = 0x1000;
    std::vector<std::uint32_t> accessRequested_;
};

}  // namespace brackwell::headless

#include "adapters/headless/headless_registry.h"

#include "adapters/headless/ascii_case.h"
#include "host/registry_text.h"

namespace brackwell::headless {

long HeadlessRegistry::OpenKey(std::uintptr_t root, const std::string& path, std::uint32_t access,
                               RegistryKey& key) {
    accessRequested_.push_back(access);
    const auto found = keys_.find({root, FoldAscii(path)});
    if (found == keys_.end()) return reg::kFileNotFound;
    key = nextKey_;
    nextKey_ += 4;
    open_.emplace(key, &found->second);
    return reg::kSuccess;
}

long HeadlessRegistry::QueryValue(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                  std::uint32_t& type, std::vector<std::uint8_t>& data) {
    const auto open = open_.find(key);
    if (open == open_.end()) return kInvalidHandle;
    const auto found = open->second->find(FoldAscii(name));
    if (found == open->second->end()) return reg::kFileNotFound;
    type = found->second.type;
    if (found->second.data.size() > bufferSize) {
        data.clear();
        return reg::kMoreData;
    }
    data = found->second.data;
    return reg::kSuccess;
}

long HeadlessRegistry::CloseKey(RegistryKey key) { return open_.erase(key) ? reg::kSuccess : kInvalidHandle; }

void HeadlessRegistry::SetText(std::uintptr_t root, const std::string& path, const std::string& name,
                               const std::string& text) {
    SetValue(root, path, name, reg::kTypeString, RegistryTextBytes(text));
}

void HeadlessRegistry::SetDword(std::uintptr_t root, const std::string& path, const std::string& name,
                                std::uint32_t value) {
    SetValue(root, path, name, reg::kTypeDword,
             {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void HeadlessRegistry::SetValue(std::uintptr_t root, const std::string& path, const std::string& name,
                                std::uint32_t type, std::vector<std::uint8_t> data) {
    keys_[{root, FoldAscii(path)}][FoldAscii(name)] = Value{type, std::move(data)};
}

}  // namespace brackwell::headless

#include "adapters/windows/system/win_registry.h"

#include <windows.h>

#include "adapters/windows/common/utf.h"

namespace brackwell::win {

long WinRegistry::OpenKey(std::uintptr_t root, const std::string& path, std::uint32_t access,
                          brackwell::RegistryKey& key) {
    HKEY opened = nullptr;
    const LONG status =
        ::RegOpenKeyExW(reinterpret_cast<HKEY>(root), Utf8ToWide(path).c_str(), 0, static_cast<REGSAM>(access), &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<brackwell::RegistryKey>(opened);
    return status;
}

long WinRegistry::QueryValue(brackwell::RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                             std::uint32_t& type, std::vector<std::uint8_t>& data) {
    data.assign(bufferSize, 0);
    DWORD valueType = 0;
    DWORD size = bufferSize;
    const LONG status = ::RegQueryValueExW(reinterpret_cast<HKEY>(key), Utf8ToWide(name).c_str(), nullptr,
                                           &valueType, data.data(), &size);
    type = valueType;
    data.resize(status == ERROR_SUCCESS ? size : 0);
    return status;
}

long WinRegistry::CloseKey(brackwell::RegistryKey key) { return ::RegCloseKey(reinterpret_cast<HKEY>(key)); }

}  // namespace brackwell::win

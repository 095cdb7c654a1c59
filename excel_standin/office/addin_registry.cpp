#include "excel_standin/office/addin_registry.h"

#include "adapters/windows/settings/registry_key.h"

namespace brackwell::office {
namespace {

std::wstring TextValue(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS)
        return {};
    text.resize(::wcsnlen(text.c_str(), text.size()));
    return text;
}

RegisteredAddIn ReadEntry(HKEY list, const std::wstring& progId) {
    win::RegistryKey key;
    if (::RegOpenKeyExW(list, progId.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
    RegisteredAddIn entry{progId, TextValue(key.Get(), L"FriendlyName"), TextValue(key.Get(), L"Description"), 0};
    DWORD size = sizeof entry.loadBehavior;
    DWORD type = 0;
    if (::RegQueryValueExW(key.Get(), L"LoadBehavior", nullptr, &type, reinterpret_cast<BYTE*>(&entry.loadBehavior),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        entry.loadBehavior = 0;
    return entry;
}

}  // namespace

std::vector<RegisteredAddIn> RegisteredAddIns() {
    std::vector<RegisteredAddIn> list;
    win::RegistryKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kAddinsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return list;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG status = ::RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS) list.push_back(ReadEntry(key.Get(), name));
    }
    return list;
}

RegisteredAddIn FindRegisteredAddIn(const std::wstring& progId) {
    win::RegistryKey key;
    if (progId.empty() || ::RegOpenKeyExW(HKEY_CURRENT_USER, kAddinsKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return {};
    return ReadEntry(key.Get(), progId);
}

bool WriteLoadBehavior(const std::wstring& progId, DWORD value) {
    win::RegistryKey key;
    const std::wstring path = std::wstring(kAddinsKey) + L"\\" + progId;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExW(key.Get(), L"LoadBehavior", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
}

}  // namespace brackwell::office

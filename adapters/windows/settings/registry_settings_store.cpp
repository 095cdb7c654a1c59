#include "adapters/windows/settings/registry_settings_store.h"

#include <climits>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/settings/registry_key.h"
#include "host/automation_error.h"

namespace brackwell::win {

namespace {

constexpr wchar_t kRoot[] = L"Software\\VB and VBA Program Settings\\";

std::wstring SectionPath(const std::string& app, const std::string& section) {
    // Like VB, an empty application or section name is an invalid call.
    if (app.empty() || section.empty()) Raise(err::kInvalidCall);
    return kRoot + Utf8ToWide(app) + L"\\" + Utf8ToWide(section);
}

std::string KeyText(const std::string& app, const std::string& section, const std::string& key) {
    return "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + app + "\\" + section +
           ", Wert \"" + key + "\"";
}

[[noreturn]] void RaiseUnreadable(const std::string& app, const std::string& section,
                                  const std::string& key, const char* why) {
    Raise(err::kTypeMismatch,
          StandardDescription(err::kTypeMismatch) + ": " + KeyText(app, section, key) + " " + why);
}

}  // namespace

std::string RegistrySettingsStore::GetSetting(const std::string& app, const std::string& section,
                                              const std::string& key, const std::string& defaultValue) {
    const std::wstring path = SectionPath(app, section);
    if (key.empty()) Raise(err::kInvalidCall);
    RegistryKey sectionKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, sectionKey.Receive()) !=
        ERROR_SUCCESS)
        return defaultValue;
    const std::wstring name = Utf8ToWide(key);
    // The value may grow between asking its size and reading it: ask again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND) return defaultValue;
        if (status != ERROR_SUCCESS) RaiseUnreadable(app, section, key, "lässt sich nicht lesen");
        if (type != REG_SZ) RaiseUnreadable(app, section, key, "ist kein Text (REG_SZ)");
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD read = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegQueryValueExW(sectionKey.Get(), name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &read);
        if (status == ERROR_MORE_DATA) continue;
        if (status == ERROR_FILE_NOT_FOUND) return defaultValue;
        if (status != ERROR_SUCCESS) RaiseUnreadable(app, section, key, "lässt sich nicht lesen");
        if (type != REG_SZ) RaiseUnreadable(app, section, key, "ist kein Text (REG_SZ)");
        // The stored text need not end with a terminator, nor end at it.
        std::wstring text(buffer.data(), read / sizeof(wchar_t));
        if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
        return WideToUtf8(text);
    }
    RaiseUnreadable(app, section, key, "lässt sich nicht lesen");
}

void RegistrySettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& value) {
    const std::wstring path = SectionPath(app, section);
    if (key.empty()) Raise(err::kInvalidCall);
    RegistryKey sectionKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        sectionKey.Receive(), nullptr) != ERROR_SUCCESS)
        Raise(err::kInvalidCall, StandardDescription(err::kInvalidCall) + ": " + KeyText(app, section, key) +
                                     " lässt sich nicht anlegen");
    const std::wstring text = Utf8ToWide(value);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > static_cast<std::size_t>(ULONG_MAX)) Raise(err::kOverflow);
    if (RegSetValueExW(sectionKey.Get(), Utf8ToWide(key).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(bytes)) != ERROR_SUCCESS)
        Raise(err::kInvalidCall, StandardDescription(err::kInvalidCall) + ": " + KeyText(app, section, key) +
                                     " lässt sich nicht schreiben");
}

}  // namespace brackwell::win

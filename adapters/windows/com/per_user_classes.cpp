#include "adapters/windows/com/per_user_classes.h"

#include <objbase.h>

#include <string>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/settings/registry_key.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kUserClasses[] = L"Software\\Classes";

[[noreturn]] void RaiseRegistry(LSTATUS status, const std::wstring& path, const char* what) {
    Raise(static_cast<std::int32_t>(HRESULT_FROM_WIN32(status)),
          std::string("Registrierung: HKEY_CURRENT_USER\\") + WideToUtf8(path) + " " + what);
}

// Creates (or opens) HKCU\Software\Classes\<subPath> and writes one value
// (the default value when `name` is null; only the key when `value` is null).
void WriteValue(const std::wstring& subPath, const wchar_t* name, const wchar_t* value) {
    const std::wstring path = std::wstring(kUserClasses) + L"\\" + subPath;
    RegistryKey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     key.Receive(), nullptr);
    if (status != ERROR_SUCCESS) RaiseRegistry(status, path, "lässt sich nicht anlegen");
    if (value == nullptr) return;
    const DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    if (status != ERROR_SUCCESS) RaiseRegistry(status, path, "lässt sich nicht schreiben");
}

void DeleteTree(const std::wstring& subPath) {
    const std::wstring path = std::wstring(kUserClasses) + L"\\" + subPath;
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        RaiseRegistry(status, path, "lässt sich nicht löschen");
}

}  // namespace

void RemoveUserClassKeyIfEmpty(const std::wstring& subPath) {
    const std::wstring path = std::wstring(kUserClasses) + L"\\" + subPath;
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
        return;
    DWORD subKeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    key = RegistryKey();
    if (subKeys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ModulePath(HMODULE module) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            Raise(static_cast<std::int32_t>(HRESULT_FROM_WIN32(GetLastError())),
                  "Registrierung: der Pfad der DLL lässt sich nicht ermitteln");
        }
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
}

void RegisterClassForUser(const PerUserClass& entry, const std::wstring& serverPath) {
    const std::wstring classKey = L"CLSID\\" + GuidText(entry.clsid);
    const std::wstring clsid = GuidText(entry.clsid);

    WriteValue(classKey, nullptr, entry.description);
    WriteValue(classKey + L"\\InprocServer32", nullptr, serverPath.c_str());
    WriteValue(classKey + L"\\InprocServer32", L"ThreadingModel", entry.threadingModel);
    WriteValue(classKey + L"\\ProgID", nullptr, entry.progId);
    WriteValue(classKey + L"\\VersionIndependentProgID", nullptr, entry.versionIndependentProgId);
    if (entry.typeLibrary != nullptr) {
        WriteValue(classKey + L"\\TypeLib", nullptr, GuidText(*entry.typeLibrary).c_str());
        WriteValue(classKey + L"\\Version", nullptr, entry.typeLibraryVersion);
    }
    WriteValue(classKey + L"\\Programmable", nullptr, nullptr);
    if (entry.control) {
        WriteValue(classKey + L"\\Control", nullptr, nullptr);
        WriteValue(classKey + L"\\MiscStatus", nullptr, std::to_wstring(entry.miscStatus).c_str());
    }

    WriteValue(entry.progId, nullptr, entry.description);
    WriteValue(std::wstring(entry.progId) + L"\\CLSID", nullptr, clsid.c_str());

    WriteValue(entry.versionIndependentProgId, nullptr, entry.description);
    WriteValue(std::wstring(entry.versionIndependentProgId) + L"\\CLSID", nullptr, clsid.c_str());
    WriteValue(std::wstring(entry.versionIndependentProgId) + L"\\CurVer", nullptr, entry.progId);
}

void UnregisterClassForUser(const PerUserClass& entry) {
    DeleteTree(entry.versionIndependentProgId);
    DeleteTree(entry.progId);
    DeleteTree(L"CLSID\\" + GuidText(entry.clsid));
    RemoveUserClassKeyIfEmpty(L"CLSID");
}

}  // namespace brackwell::win

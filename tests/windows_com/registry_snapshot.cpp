#include "tests/windows_com/registry_snapshot.h"

#include <cstdio>

#include "adapters/windows/settings/registry_key.h"

namespace brackwell::win::test {
namespace {

std::wstring DataText(DWORD type, const std::vector<BYTE>& data) {
    wchar_t head[32];
    std::swprintf(head, 32, L"type %lu: ", static_cast<unsigned long>(type));
    std::wstring text = head;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        text.append(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    } else {
        for (BYTE b : data) {
            wchar_t hex[4];
            std::swprintf(hex, 4, L"%02x", b);
            text += hex;
        }
    }
    return text;
}

void Walk(HKEY key, const std::wstring& path, REGSAM view, RegistrySnapshot& out) {
    out[path] = L"";
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values, &maxName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0; i < values; ++i) {
        std::wstring name(maxName + 1, L'\0');
        std::vector<BYTE> data(maxData + 2);
        DWORD nameLength = maxName + 1;
        DWORD dataLength = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) !=
            ERROR_SUCCESS)
            continue;
        name.resize(nameLength);
        data.resize(dataLength);
        out[path + L"\\@" + name] = DataText(type, data);
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        std::wstring name(maxSubKey + 1, L'\0');
        DWORD nameLength = maxSubKey + 1;
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        name.resize(nameLength);
        RegistryKey child;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ | view, child.Receive()) == ERROR_SUCCESS)
            Walk(child.Get(), path + L"\\" + name, view, out);
    }
}

}  // namespace

RegistrySnapshot SnapshotRegistry(HKEY root, const std::wstring& path, REGSAM view) {
    RegistrySnapshot snapshot;
    RegistryKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS)
        Walk(key.Get(), L"", view, snapshot);
    return snapshot;
}

std::vector<std::wstring> RegistryDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    std::vector<std::wstring> lines;
    for (const auto& [path, value] : before) {
        auto found = after.find(path);
        if (found == after.end()) {
            lines.push_back(L"removed: " + path);
        } else if (found->second != value) {
            lines.push_back(L"changed: " + path + L" = " + found->second);
        }
    }
    for (const auto& [path, value] : after) {
        if (!before.count(path)) lines.push_back(L"added: " + path + L" = " + value);
    }
    return lines;
}

void EnsureUserClassesKey() {
    RegistryKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr, key.Receive(),
                    nullptr);
}

bool ReadRegistryText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring& text) {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    text = buffer;
    return true;
}

}  // namespace brackwell::win::test

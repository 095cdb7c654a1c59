#include "package/helper/addin_lists.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "adapters/windows/settings/registry_key.h"

namespace brackwell::package {
namespace {

constexpr const wchar_t* kVersions[] = {L"16.0", L"15.0", L"14.0", L"12.0"};
constexpr wchar_t kOfficeKey[] = L"Software\\Microsoft\\Office\\";

// One entry as the registry holds it: moved, it keeps type and bytes.
struct Entry {
    DWORD type = REG_SZ;
    std::vector<BYTE> data;
    bool operator==(const Entry&) const = default;
};

std::wstring EntryName(std::size_t index) { return index == 0 ? L"OPEN" : L"OPEN" + std::to_wstring(index); }

std::optional<Entry> ReadEntry(HKEY options, const std::wstring& name) {
    Entry entry;
    DWORD size = 0;
    if (RegQueryValueExW(options, name.c_str(), nullptr, &entry.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    entry.data.resize(size);
    if (RegQueryValueExW(options, name.c_str(), nullptr, &entry.type, entry.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    entry.data.resize(size);
    return entry;
}

// Whether the entry's file is named Brackwell.xlam: the last part of its
// text, quotes left out, after the last backslash (or blank, for a bare name).
bool IsBrackwells(const Entry& entry) {
    if (entry.type != REG_SZ && entry.type != REG_EXPAND_SZ) return false;
    std::wstring text(reinterpret_cast<const wchar_t*>(entry.data.data()), entry.data.size() / sizeof(wchar_t));
    text = text.substr(0, text.find(L'\0'));
    std::erase(text, L'"');
    const std::wstring name = text.substr(text.find_last_of(L"\\ ") + 1);
    return CompareStringOrdinal(name.c_str(), -1, L"Brackwell.xlam", -1, TRUE) == CSTR_EQUAL;
}

Entry EntryFor(const std::wstring& workbook) {
    const std::wstring text = L"/R \"" + workbook + L"\"";
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

// One version's list rewritten: where an entry's place changed, it is
// written there; the names beyond the shorter list go.
bool UpdateList(const std::wstring& excelKey, const std::optional<Entry>& added, const std::wstring& workbook) {
    win::RegistryKey unticked;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (excelKey + L"\\Add-in Manager").c_str(), 0, KEY_SET_VALUE,
                      unticked.Receive()) == ERROR_SUCCESS)
        RegDeleteValueW(unticked.Get(), workbook.c_str());

    win::RegistryKey options;
    const std::wstring optionsKey = excelKey + L"\\Options";
    const LSTATUS opened =
        added ? RegCreateKeyExW(HKEY_CURRENT_USER, optionsKey.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                                nullptr, options.Receive(), nullptr)
              : RegOpenKeyExW(HKEY_CURRENT_USER, optionsKey.c_str(), 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                              options.Receive());
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;

    std::vector<Entry> before;
    while (auto entry = ReadEntry(options.Get(), EntryName(before.size()))) before.push_back(std::move(*entry));
    std::vector<Entry> after;
    bool placed = false;
    for (const Entry& entry : before) {
        if (!IsBrackwells(entry)) {
            after.push_back(entry);
        } else if (added && !placed) {
            after.push_back(*added);
            placed = true;
        }
    }
    if (added && !placed) after.push_back(*added);

    bool written = true;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i < before.size() && before[i] == after[i]) continue;
        written &= RegSetValueExW(options.Get(), EntryName(i).c_str(), 0, after[i].type, after[i].data.data(),
                                  static_cast<DWORD>(after[i].data.size())) == ERROR_SUCCESS;
    }
    for (std::size_t i = after.size(); i < before.size(); ++i)
        written &= RegDeleteValueW(options.Get(), EntryName(i).c_str()) == ERROR_SUCCESS;
    return written;
}

bool UpdateLists(const std::optional<Entry>& added, const std::wstring& workbook) {
    bool anyVersion = false;
    bool written = true;
    for (const wchar_t* version : kVersions) {
        const std::wstring excelKey = std::wstring(kOfficeKey) + version + L"\\Excel";
        win::RegistryKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, excelKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
            continue;
        anyVersion = true;
        written &= UpdateList(excelKey, added, workbook);
    }
    if (!anyVersion && added) written &= UpdateList(std::wstring(kOfficeKey) + L"16.0\\Excel", added, workbook);
    return written;
}

}  // namespace

bool AddToAddinLists(const std::wstring& workbook) { return UpdateLists(EntryFor(workbook), workbook); }

bool RemoveFromAddinLists(const std::wstring& workbook) { return UpdateLists(std::nullopt, workbook); }

}  // namespace brackwell::package

#pragma once
// Everything below one registry key, as text, so two moments can be compared:
// a registration round trip must leave the registry as it found it.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace brackwell::win::test {

// Path below the root (and "\\@name" for a value) -> type and data. A key
// without values appears with an empty text, so empty keys count too.
using RegistrySnapshot = std::map<std::wstring, std::wstring>;

// `view` is 0 for the view of the test's own bitness, or KEY_WOW64_64KEY or
// KEY_WOW64_32KEY for the 64-bit or 32-bit programs' view on 64-bit Windows.
RegistrySnapshot SnapshotRegistry(HKEY root, const std::wstring& path, REGSAM view = 0);

// Entries only in `before`, only in `after`, or different, one line each.
std::vector<std::wstring> RegistryDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after);

// Windows always has HKEY_CURRENT_USER\Software\Classes (the user's
// classes are mounted there); a fresh Wine prefix may not, and a first
// registration then creates it. Made beforehand, so that a before-and-after
// comparison measures the registration alone.
void EnsureUserClassesKey();

// Reads a REG_SZ value; false when the key or the value is missing.
bool ReadRegistryText(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring& text);

}  // namespace brackwell::win::test

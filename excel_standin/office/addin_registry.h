#pragma once
// The user's list of COM add-ins, where Excel 2007 and later read it:
// HKEY_CURRENT_USER\Software\Microsoft\Office\Excel\Addins\<ProgID>, with
// FriendlyName and Description for the COM Add-ins dialog and LoadBehavior
// (bit 1: loaded, bit 2: load at startup; 3 = loaded at startup, 2 = load at
// startup but not loaded now, which is where Excel puts an add-in whose
// start failed).

#include <windows.h>

#include <string>
#include <vector>

namespace brackwell::office {

inline constexpr wchar_t kAddinsKey[] = L"Software\\Microsoft\\Office\\Excel\\Addins";
inline constexpr DWORD kLoadBehaviorLoaded = 1;
inline constexpr DWORD kLoadBehaviorAtStartup = 2;

struct RegisteredAddIn {
    std::wstring progId;  // the key's name
    std::wstring friendlyName;
    std::wstring description;
    DWORD loadBehavior = 0;
};

// Every add-in of the user's list, in the registry's order.
std::vector<RegisteredAddIn> RegisteredAddIns();
// The entry of one add-in; progId empty when it is not on the list.
RegisteredAddIn FindRegisteredAddIn(const std::wstring& progId);
// Sets LoadBehavior of an add-in on the list; false when it could not.
bool WriteLoadBehavior(const std::wstring& progId, DWORD value);

}  // namespace brackwell::office

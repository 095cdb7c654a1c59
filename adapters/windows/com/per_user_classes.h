#pragma once
// Registration of an in-process COM class for the current user only, under
// HKEY_CURRENT_USER\Software\Classes, where no administrator rights are
// needed and Windows finds it through HKEY_CLASSES_ROOT:
//
//   CLSID\{clsid}                    (default) description
//     InprocServer32                 (default) full DLL path, ThreadingModel
//     ProgID                         versioned ProgID
//     VersionIndependentProgID
//     TypeLib, Version               when the class has a type library
//     Programmable
//     Control, MiscStatus            when the class is an ActiveX control
//   <versioned ProgID>               (default) description; CLSID
//   <version-independent ProgID>     (default) description; CLSID; CurVer
//
// Unregistering deletes exactly these keys, and a parent key ("CLSID") only
// when that leaves it empty. A failure throws AutomationError whose number is
// the HRESULT.

#include <windows.h>

#include <string>

namespace brackwell::win {

struct PerUserClass {
    CLSID clsid;
    const wchar_t* description;
    const wchar_t* progId;                    // "Brackwell.Wayfinder.1"
    const wchar_t* versionIndependentProgId;  // "Brackwell.Wayfinder"
    const wchar_t* threadingModel;            // "Apartment"
    const GUID* typeLibrary = nullptr;        // LIBID, or none
    const wchar_t* typeLibraryVersion = nullptr;  // "1.0"
    bool control = false;                         // an ActiveX control, with
    DWORD miscStatus = 0;                         // these OLEMISC bits for every aspect
};

void RegisterClassForUser(const PerUserClass& entry, const std::wstring& serverPath);
// Removes what RegisterClassForUser wrote; keys already gone are no failure.
void UnregisterClassForUser(const PerUserClass& entry);

// Deletes HKCU\Software\Classes\<subPath> when it holds neither keys nor
// values: a parent key such as "TypeLib" that a registration created.
void RemoveUserClassKeyIfEmpty(const std::wstring& subPath);

// The full path of a loaded module (long paths included).
std::wstring ModulePath(HMODULE module);

// "{xxxxxxxx-...}" as the registry writes GUIDs.
std::wstring GuidText(const GUID& guid);

}  // namespace brackwell::win

#pragma once
// The identities of the navigator class. The GUIDs are defined once, in
// brackwell.idl; the IDL compiler writes them out for the C++ side
// (brackwell_i.c in the build folder).

#include <windows.h>

extern "C" {
extern const IID LIBID_Brackwell;
extern const IID DIID__Wayfinder;
extern const CLSID CLSID_Wayfinder;
}

namespace brackwell::win {

inline constexpr wchar_t kWayfinderProgId[] = L"Brackwell.Wayfinder.1";
inline constexpr wchar_t kWayfinderVersionIndependentProgId[] = L"Brackwell.Wayfinder";
inline constexpr wchar_t kWayfinderDescription[] = L"Brackwell Navigator";
inline constexpr WORD kTypeLibraryMajor = 1;
inline constexpr WORD kTypeLibraryMinor = 0;

}  // namespace brackwell::win

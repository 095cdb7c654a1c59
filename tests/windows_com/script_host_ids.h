#pragma once
// The class of the script tests' host, brackwell_test_host.dll.

#include <windows.h>

namespace brackwell::win::test {

// {749282CB-BBF5-4F2C-896A-235F646F0DB5}
inline constexpr CLSID kClsidScriptHost = {
    0x749282cb, 0xbbf5, 0x4f2c, {0x89, 0x6a, 0x23, 0x5f, 0x64, 0x6f, 0x0d, 0xb5}};
inline constexpr wchar_t kScriptHostProgId[] = L"BrackwellTest.Host.1";
inline constexpr wchar_t kScriptHostVersionIndependentProgId[] = L"BrackwellTest.Host";

}  // namespace brackwell::win::test

#include "tests/windows_com/machine_class_mirror.h"

#include <windows.h>

#include "adapters/windows/settings/registry_key.h"
#include "tests/windows_com/registry_snapshot.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

bool CopyUserKey(const std::wstring& path) {
    RegistryKey from;
    RegistryKey to;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (kClasses + path).c_str(), 0, KEY_READ, from.Receive()) != ERROR_SUCCESS)
        return false;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kClasses + path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        to.Receive(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegCopyTreeW(from.Get(), nullptr, to.Get()) == ERROR_SUCCESS;
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

MachineClassMirror::MachineClassMirror(std::vector<std::wstring> progIds) {
    if (!RunningUnderWine()) return;
    for (const std::wstring& progId : progIds) {
        std::wstring clsid;
        if (!ReadRegistryText(HKEY_CURRENT_USER, kClasses + progId + L"\\CLSID", nullptr, clsid)) continue;
        for (const std::wstring& path : {progId, L"CLSID\\" + clsid}) {
            // Only what is not there already: the machine's own keys stay untouched.
            RegistryKey existing;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kClasses + path).c_str(), 0, KEY_READ, existing.Receive()) ==
                ERROR_SUCCESS)
                continue;
            if (CopyUserKey(path)) copied_.push_back(path);
        }
    }
}

MachineClassMirror::~MachineClassMirror() {
    for (const std::wstring& path : copied_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + path).c_str());
}

}  // namespace brackwell::win::test

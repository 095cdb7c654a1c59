#pragma once
// The real brackwell.dll, loaded as COM loads it (LoadLibrary, exports by
// name), never linked in. The build copies it next to the test program.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows_com/machine_class_mirror.h"

namespace brackwell::win::test {

class ServerDll {
public:
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    using InstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

    // The one loaded copy for the test program; fails the program when the
    // DLL or one of its exports is missing.
    static ServerDll& Get();

    HMODULE Module() const noexcept { return module_; }
    const std::wstring& Path() const noexcept { return path_; }

    CanUnloadNowFn DllCanUnloadNow = nullptr;
    GetClassObjectFn DllGetClassObject = nullptr;
    RegisterFn DllRegisterServer = nullptr;
    RegisterFn DllUnregisterServer = nullptr;
    InstallFn DllInstall = nullptr;

private:
    ServerDll();
    HMODULE module_ = nullptr;  // kept for the program's life, as a host keeps its add-in
    std::wstring path_;
};

// Registered for the current user (DllRegisterServer) while it lives, and
// visible to Wine's COM (MachineClassMirror); unregistered afterwards.
class RegisteredServer {
public:
    RegisteredServer();
    RegisteredServer(const RegisteredServer&) = delete;
    RegisteredServer& operator=(const RegisteredServer&) = delete;
    ~RegisteredServer();

    HRESULT registerResult = E_FAIL;

private:
    std::unique_ptr<MachineClassMirror> mirror_;
};

// The directory of the running program, with a trailing backslash.
std::wstring ProgramDirectory();

}  // namespace brackwell::win::test

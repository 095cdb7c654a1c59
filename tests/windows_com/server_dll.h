#pragma once
// The real brackwell.dll, loaded as COM loads it (LoadLibrary, exports by
// name), never linked in. The build copies it next to the test program.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "tests/windows_com/machine_class_mirror.h"

namespace brackwell::win::test {

class ServerDll {
public:
    // The one loaded copy for the test program; ends the program when the
    // DLL or one of its exports is missing.
    static ServerDll& Get();

    HMODULE Module() const noexcept { return module_; }
    const std::wstring& Path() const noexcept { return path_; }
    // The type library inside the DLL, loaded without registering it.
    ComPtr<ITypeLib> TypeLibrary() const;

    HRESULT(STDAPICALLTYPE* DllCanUnloadNow)() = nullptr;
    HRESULT(STDAPICALLTYPE* DllGetClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* DllRegisterServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* DllUnregisterServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* DllInstall)(BOOL, LPCWSTR) = nullptr;

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

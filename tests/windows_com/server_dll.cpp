#include "tests/windows_com/server_dll.h"

#include <cstdio>
#include <cstdlib>

namespace brackwell::win::test {
namespace {

[[noreturn]] void Abort(const char* what) {
    std::fprintf(stderr, "brackwell.dll: %s\n", what);
    std::exit(2);
}

template <class Fn>
Fn Export(HMODULE module, const char* name) {
    FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) Abort(name);
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
}

}  // namespace

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    directory.resize(directory.find_last_of(L"\\/") + 1);
    return directory;
}

ServerDll& ServerDll::Get() {
    static ServerDll dll;
    return dll;
}

ServerDll::ServerDll() : path_(ProgramDirectory() + L"brackwell.dll") {
    module_ = LoadLibraryW(path_.c_str());
    if (module_ == nullptr) Abort("cannot be loaded");
    DllCanUnloadNow = Export<CanUnloadNowFn>(module_, "DllCanUnloadNow");
    DllGetClassObject = Export<GetClassObjectFn>(module_, "DllGetClassObject");
    DllRegisterServer = Export<RegisterFn>(module_, "DllRegisterServer");
    DllUnregisterServer = Export<RegisterFn>(module_, "DllUnregisterServer");
    DllInstall = Export<InstallFn>(module_, "DllInstall");
}

RegisteredServer::RegisteredServer() {
    registerResult = ServerDll::Get().DllRegisterServer();
    mirror_ = std::make_unique<MachineClassMirror>(
        std::vector<std::wstring>{L"Brackwell.Wayfinder", L"Brackwell.Wayfinder.1"});
}

RegisteredServer::~RegisteredServer() {
    mirror_.reset();
    ServerDll::Get().DllUnregisterServer();
}

}  // namespace brackwell::win::test

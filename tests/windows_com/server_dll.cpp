#include "tests/windows_com/server_dll.h"

#include <oleauto.h>

#include <cstdio>
#include <cstdlib>

namespace brackwell::win::test {
namespace {

template <class Fn>
void Bind(HMODULE module, const char* name, Fn& function) {
    FARPROC address = GetProcAddress(module, name);
    if (address == nullptr) {
        std::fprintf(stderr, "brackwell.dll: no export %s\n", name);
        std::exit(2);
    }
    function = reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
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
    if (module_ == nullptr) {
        std::fprintf(stderr, "brackwell.dll cannot be loaded\n");
        std::exit(2);
    }
    Bind(module_, "DllCanUnloadNow", DllCanUnloadNow);
    Bind(module_, "DllGetClassObject", DllGetClassObject);
    Bind(module_, "DllRegisterServer", DllRegisterServer);
    Bind(module_, "DllUnregisterServer", DllUnregisterServer);
    Bind(module_, "DllInstall", DllInstall);
}

ComPtr<ITypeLib> ServerDll::TypeLibrary() const {
    ComPtr<ITypeLib> library;
    LoadTypeLibEx(path_.c_str(), REGKIND_NONE, library.Receive());
    return library;
}

RegisteredServer::RegisteredServer() {
    registerResult = ServerDll::Get().DllRegisterServer();
    mirror_ = std::make_unique<MachineClassMirror>(std::vector<std::wstring>{
        L"Brackwell.Wayfinder", L"Brackwell.Wayfinder.1", L"Brackwell.Connect", L"Brackwell.PaneHost"});
}

RegisteredServer::~RegisteredServer() {
    mirror_.reset();
    ServerDll::Get().DllUnregisterServer();
}

}  // namespace brackwell::win::test

// The DLL's entry point and its exports (listed in brackwell.def). Every
// registration is for the current user: Office add-ins are installed without
// administrator rights, and DllRegisterServer (plain regsvr32) does the same
// as DllInstall with "user" (regsvr32 /n /i:user).

#include <windows.h>

#include <objbase.h>

#include "adapters/windows/addin/addin_ids.h"
#include "adapters/windows/addin/connect_object.h"
#include "adapters/windows/addin/pane_host_control.h"
#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/class_factory.h"
#include "adapters/windows/com/server_module.h"
#include "adapters/windows/com/server_registration.h"
#include "adapters/windows/com/wayfinder_object.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/ui/window_class.h"

namespace {

constexpr wchar_t kSource[] = L"brackwell.dll";

// The DLL's classes and how each is made.
struct ServedClass {
    const CLSID& clsid;
    brackwell::win::ClassFactory::Create create;
};

const ServedClass kClasses[] = {
    {CLSID_Wayfinder, &brackwell::win::WayfinderObject::Create},
    {brackwell::win::addin::kClsidConnect, &brackwell::win::addin::ConnectObject::Create},
    {brackwell::win::addin::kClsidPaneHost, &brackwell::win::addin::PaneHostControl::Create},
};

bool IsUserInstall(const wchar_t* commandLine) noexcept {
    return commandLine == nullptr || commandLine[0] == L'\0' ||
           CompareStringOrdinal(commandLine, -1, L"user", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    using namespace brackwell::win;
    if (reason == DLL_PROCESS_ATTACH) {
        server::SetModule(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        // `reserved` is null for FreeLibrary. At process exit it is not, and
        // then nothing is torn down: the process takes its windows with it,
        // and other libraries the component's destructors would call may be
        // gone already.
        if (reserved == nullptr) server::ReleaseSharedComponent();
        // A class left registered would point the system at a window
        // procedure that is no longer in memory.
        UnregisterWindowClasses(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    using namespace brackwell::win;
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    for (const ServedClass& served : kClasses) {
        if (IsEqualCLSID(clsid, served.clsid))
            return ComGuard(IID_IClassFactory, kSource,
                            [&] { return MakeComObject<ClassFactory>(served.create)->QueryInterface(iid, out); });
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

// S_OK only when no navigator, add-in, control, class factory, LockServer
// lock or deferred stop of the add-in is alive: COM unloads the DLL after S_OK, and any of those would then call
// into code that is no longer there.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return brackwell::win::server::PrepareUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    using namespace brackwell::win;
    return ComGuard(IID_NULL, kSource, [] { RegisterServerForUser(server::Module()); });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    using namespace brackwell::win;
    return ComGuard(IID_NULL, kSource, [] { UnregisterServerForUser(); });
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    if (!IsUserInstall(commandLine)) return E_INVALIDARG;
    return install ? DllRegisterServer() : DllUnregisterServer();
}

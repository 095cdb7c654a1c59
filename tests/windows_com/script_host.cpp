// brackwell_test_host.dll: the host a script drives the navigator against,
// created with CreateObject("BrackwellTest.Host"). It stands where Excel
// stands for host-side VBA: in the same process as the script and as
// brackwell.dll, with a main window whose "EXCEL2" dock takes the pane. It
// holds an embedded host with a sample workbook, and offers:
//
//   Application               the automation facade (with application events)
//   TreeItems                 the texts of the pane tree's items as the real
//                             tree control shows them, joined by "|"
//                             (children indented by two spaces)
//   HasCommandBar(name)       whether that command bar is there
//
// Registered for the current user by DllRegisterServer, like brackwell.dll.

#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <memory>
#include <string>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/windows/com/per_user_classes.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/application_facade.h"
#include "excel_standin/facade/facade_context.h"
#include "excel_standin/facade/facade_object.h"
#include "excel_standin/facade/live_objects.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/host_window.h"
#include "tests/windows_com/script_host_ids.h"

namespace brackwell::win::test {
namespace {

HINSTANCE module_ = nullptr;
std::atomic<long> locks_{0};

PerUserClass ScriptHostClass() {
    return PerUserClass{kClsidScriptHost, L"Brackwell test host", kScriptHostProgId,
                        kScriptHostVersionIndependentProgId, L"Apartment"};
}

namespace member {
constexpr DISPID kApplication = 1;
constexpr DISPID kTreeItems = 2;
constexpr DISPID kHasCommandBar = 3;
}  // namespace member

constexpr MemberInfo kMembers[] = {
    {L"Application", member::kApplication, MemberKind::Get, 0, 0},
    {L"TreeItems", member::kTreeItems, MemberKind::Get, 0, 0},
    {L"HasCommandBar", member::kHasCommandBar, MemberKind::Method, 1, 1},
};

class ScriptHost final : public FacadeObject {
public:
    ScriptHost() : FacadeObject(std::make_shared<FacadeContext>(), kMembers) {
        excel_.CreateWorkbook("Umsatz.xlsx", {"Übersicht", "売上", "Daten"}, "C:\\Daten");
        excel_.SetHwnd(reinterpret_cast<WindowHandle>(window_.Main()));
        application_ = MakeApplicationFacade(excel_.App());
    }

protected:
    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case member::kApplication: return Variant::Object(application_);
        case member::kTreeItems: {
            PumpMessages();
            std::wstring joined;
            for (const std::wstring& item : window_.TreeItems()) joined += (joined.empty() ? L"" : L"|") + item;
            return Variant::Text(std::wstring_view(joined));
        }
        case member::kHasCommandBar: return Variant::Bool(excel_.FindCommandBar(args.Text(0)).has_value());
        default: Raise(err::kNotSupported);
        }
    }

private:
    HostWindow window_;
    embedded::EmbeddedExcel excel_{"11.0"};
    ComPtr<IDispatch> application_;
};

class ScriptHostFactory final : public ComObject<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        return ComGuard(IID_IClassFactory, L"BrackwellTest.Host",
                        [&] { return MakeComObject<ScriptHost>()->QueryInterface(iid, out); });
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        locks_ += lock ? 1 : -1;
        return S_OK;
    }

private:
    LiveObjectToken alive_;
};

}  // namespace
}  // namespace brackwell::win::test

using namespace brackwell::win;
using namespace brackwell::win::test;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        module_ = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(clsid, kClsidScriptHost)) return CLASS_E_CLASSNOTAVAILABLE;
    return ComGuard(IID_IClassFactory, L"BrackwellTest.Host",
                    [&] { return MakeComObject<ScriptHostFactory>()->QueryInterface(iid, out); });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return LiveFacadeObjects() == 0 && locks_ == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return ComGuard(IID_NULL, L"brackwell_test_host.dll",
                    [] { RegisterClassForUser(ScriptHostClass(), ModulePath(module_)); });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return ComGuard(IID_NULL, L"brackwell_test_host.dll", [] { UnregisterClassForUser(ScriptHostClass()); });
}

#include "tests/windows_office/fake_office_addin.h"

#include <oleidl.h>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/utf.h"

namespace brackwell::office::test {

win::ComPtr<IUnknown> MakeFakePaneControl();  // fake_pane_control.cpp

namespace {

constexpr CLSID kFakeAddInClsid = {0x737bfd1b, 0x4f79, 0x426e, {0x82, 0x2f, 0xdd, 0x68, 0xaf, 0xee, 0x74, 0xa6}};
constexpr CLSID kFakeControlClsid = {0xa520102b, 0xb15c, 0x4bf9, {0x95, 0x87, 0x5e, 0xcb, 0x21, 0xdb, 0xd2, 0x0e}};
constexpr wchar_t kAddinsKey[] = L"Software\\Microsoft\\Office\\Excel\\Addins\\Brackwell.FakeOfficeAddIn";

// The fake's callbacks, by the names its ribbon XML uses.
constexpr const wchar_t* kCallbacks[] = {L"OnLoad", L"GetPressed", L"OnToggle", L"OnRefresh"};
constexpr DISPID kFirstCallback = 101;

class FakeAddIn final : public win::ComObject<IDTExtensibility2, IRibbonExtensibility, ICustomTaskPaneConsumer> {
public:
    FakeAddIn() { ++AddInLog().alive; }
    ~FakeAddIn() override { --AddInLog().alive; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IDTExtensibility2))) {
            *out = static_cast<IDTExtensibility2*>(this);
        } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(IRibbonExtensibility))) {
            *out = static_cast<IRibbonExtensibility*>(this);
        } else if (IsEqualIID(iid, __uuidof(ICustomTaskPaneConsumer))) {
            *out = static_cast<ICustomTaskPaneConsumer*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    // IDispatch: the ribbon's callbacks.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        for (DISPID i = 0; i < DISPID(std::size(kCallbacks)); ++i) {
            if (count == 1 && std::wstring_view(names[0]) == kCallbacks[i]) {
                ids[0] = kFirstCallback + i;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        const UINT index = UINT(id - kFirstCallback);
        if (index >= std::size(kCallbacks) || !params || params->cArgs == 0) return DISP_E_MEMBERNOTFOUND;
        FakeAddInLog& log = AddInLog();
        const VARIANT& first = params->rgvarg[params->cArgs - 1];
        const std::string name = win::WideToUtf8(kCallbacks[index]) + (flags == DISPATCH_METHOD ? "" : " (flags?)");
        if (V_VT(&first) != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
        if (index == 0) {
            log.calls.push_back(name);
            log.ribbonUi = win::ComPtr<IDispatch>(V_DISPATCH(&first)).Query<IRibbonUI>();
            return S_OK;
        }
        FakeAddInLog::Callback call;
        call.name = name;
        if (auto control = win::ComPtr<IDispatch>(V_DISPATCH(&first)).Query<IRibbonControl>()) {
            win::Bstr text;
            control->get_Id(text.Receive());
            call.controlId = text.View();
            control->get_Tag(text.Receive());
            call.tag = text.View();
            control->get_Context(call.context.Receive());
        }
        if (params->cArgs > 1) {
            const VARIANT& pressed = params->rgvarg[0];
            call.pressedType = V_VT(&pressed);
            call.pressed = V_VT(&pressed) == VT_BOOL ? V_BOOL(&pressed) != 0
                                                     : V_VT(&pressed) == (VT_BOOL | VT_BYREF) && *V_BOOLREF(&pressed);
        }
        log.callbacks.push_back(call);
        if (index == 1 && result) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = log.pressedAnswer ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    }

    // IDTExtensibility2, reached through the vtable as Excel reaches it.
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int mode, IDispatch* addInInst,
                                           SAFEARRAY** custom) override {
        FakeAddInLog& log = AddInLog();
        log.calls.push_back("OnConnection " + std::to_string(mode));
        log.application = win::ComPtr<IDispatch>(application);
        log.comAddIn = win::ComPtr<IDispatch>(addInInst);
        LONG first = 1;
        ::VariantClear(&log.customFirst);
        if (custom && *custom) ::SafeArrayGetElement(*custom, &first, &log.customFirst);
        return log.connectResult;
    }
    HRESULT STDMETHODCALLTYPE OnDisconnection(int mode, SAFEARRAY**) override {
        AddInLog().calls.push_back("OnDisconnection " + std::to_string(mode));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return Note("OnAddInsUpdate"); }
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return Note("OnStartupComplete"); }
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return Note("OnBeginShutdown"); }

    // IRibbonExtensibility
    HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* xml) override {
        AddInLog().calls.push_back("GetCustomUI " + win::WideToUtf8(ribbonId ? ribbonId : L""));
        *xml = AddInLog().ribbonXml.empty() ? nullptr : ::SysAllocString(AddInLog().ribbonXml.c_str());
        return S_OK;
    }

    // ICustomTaskPaneConsumer
    HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(ICTPFactory* factory) override {
        AddInLog().factory = win::ComPtr<ICTPFactory>(factory);
        return Note("CTPFactoryAvailable");
    }

private:
    static HRESULT Note(const char* call) {
        AddInLog().calls.push_back(call);
        return S_OK;
    }
};

template <class Make>
class FakeClassFactory final : public win::ComObject<IClassFactory> {
public:
    explicit FakeClassFactory(Make make) : make_(make) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return make_()->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Make make_;
};

template <class Make>
DWORD Serve(const CLSID& clsid, Make make) {
    DWORD cookie = 0;
    auto factory = win::MakeComObject<FakeClassFactory<Make>>(make);
    ::CoRegisterClassObject(clsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    return cookie;
}

void SetText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    ::RegSetKeyValueW(root, path.c_str(), name, REG_SZ, value.c_str(), DWORD((value.size() + 1) * sizeof(wchar_t)));
}

// A ProgID with its CLSID, for the user and (Wine has no per-user part there) the machine.
void WriteProgId(const wchar_t* progId, const CLSID& clsid) {
    wchar_t text[40];
    ::StringFromGUID2(clsid, text, 40);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        SetText(root, std::wstring(L"Software\\Classes\\") + progId + L"\\CLSID", nullptr, text);
    }
}

void RemoveProgId(const wchar_t* progId) {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        ::RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\") + progId).c_str());
    }
}

}  // namespace

void FakeAddInLog::Reset() {
    const int living = alive;
    ::VariantClear(&customFirst);
    *this = FakeAddInLog{};
    alive = living;
}

FakeAddInLog& AddInLog() {
    static FakeAddInLog log;
    return log;
}

FakeControlLog& ControlLog() {
    static FakeControlLog log;
    return log;
}

FakeClasses::FakeClasses(DWORD loadBehavior) {
    addInCookie_ = Serve(kFakeAddInClsid, [] {
        const auto addIn = win::MakeComObject<FakeAddIn>();
        return win::ComPtr<IUnknown>(static_cast<IDTExtensibility2*>(addIn.Get()));
    });
    controlCookie_ = Serve(kFakeControlClsid, [] { return MakeFakePaneControl(); });
    WriteProgId(kFakeAddInProgId, kFakeAddInClsid);
    WriteProgId(kFakeControlProgId, kFakeControlClsid);
    SetText(HKEY_CURRENT_USER, kAddinsKey, L"FriendlyName", L"Fake Office Add-In");
    SetText(HKEY_CURRENT_USER, kAddinsKey, L"Description", L"Ein Test-Add-In, kein Brackwell");
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kAddinsKey, L"LoadBehavior", REG_DWORD, &loadBehavior, sizeof loadBehavior);
}

FakeClasses::~FakeClasses() {
    ::CoRevokeClassObject(addInCookie_);
    ::CoRevokeClassObject(controlCookie_);
    RemoveProgId(kFakeAddInProgId);
    RemoveProgId(kFakeControlProgId);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAddinsKey);
}

}  // namespace brackwell::office::test

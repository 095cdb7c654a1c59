#include "adapters/windows/addin/connect_object.h"

#include <utility>

#include "adapters/windows/addin/addin_dispatch.h"
#include "adapters/windows/addin/addin_ids.h"
#include "adapters/windows/automation/wrap_application.h"
#include "core/failure.h"

namespace brackwell::win::addin {
namespace {

constexpr wchar_t kSource[] = L"Brackwell.Connect";

constexpr DispatchName kMembers[] = {
    {L"OnConnection", office::dispid::kOnConnection},
    {L"OnDisconnection", office::dispid::kOnDisconnection},
    {L"OnAddInsUpdate", office::dispid::kOnAddInsUpdate},
    {L"OnStartupComplete", office::dispid::kOnStartupComplete},
    {L"OnBeginShutdown", office::dispid::kOnBeginShutdown},
};

}  // namespace

ConnectObject::~ConnectObject() { Disconnect(); }

HRESULT ConnectObject::Create(REFIID iid, void** out) {
    return ComGuard(IID_IClassFactory, kConnectVersionIndependentProgId,
                    [&] { return MakeComObject<ConnectObject>()->QueryInterface(iid, out); });
}

HRESULT STDMETHODCALLTYPE ConnectObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(IDTExtensibility2))) {
        *out = static_cast<IDTExtensibility2*>(this);
    } else if (IsEqualIID(iid, __uuidof(IRibbonExtensibility))) {
        *out = static_cast<IRibbonExtensibility*>(&ribbon_);
    } else if (IsEqualIID(iid, __uuidof(ICustomTaskPaneConsumer))) {
        *out = static_cast<ICustomTaskPaneConsumer*>(&panes_);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// --- IDispatch: the members of IDTExtensibility2 by name and DISPID

HRESULT STDMETHODCALLTYPE ConnectObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE ConnectObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                       DISPID* ids) {
    return IdsOfNames(kMembers, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE ConnectObject::Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                                                VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (result) VariantInit(result);
    const DISPPARAMS none{};
    const DISPPARAMS& given = params ? *params : none;
    const ComPtr<IUnknown> keepAlive(&Outer());
    return GuardedInvoke(__uuidof(IDTExtensibility2), kSource, exception, argError,
                         [&] { return InvokeMember(id, given); });
}

HRESULT ConnectObject::InvokeMember(DISPID id, const DISPPARAMS& params) {
    // The connect and disconnect modes and `custom` change nothing here.
    switch (id) {
    case office::dispid::kOnConnection: {
        const DispatchArguments args(params, 4, 1);
        Connect(args.Object(0).Get());
        return S_OK;
    }
    case office::dispid::kOnDisconnection:
    case office::dispid::kOnBeginShutdown: {
        const DispatchArguments args(params, id == office::dispid::kOnDisconnection ? 2 : 1, 0);
        Disconnect();
        return S_OK;
    }
    case office::dispid::kOnAddInsUpdate:
    case office::dispid::kOnStartupComplete: {
        const DispatchArguments args(params, 1, 0);
        return S_OK;
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

// --- IDTExtensibility2

HRESULT STDMETHODCALLTYPE ConnectObject::OnConnection(IDispatch* application, int, IDispatch*, SAFEARRAY**) {
    const ComPtr<IUnknown> keepAlive(&Outer());
    return ComGuard(__uuidof(IDTExtensibility2), kSource, [&] { Connect(application); });
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnDisconnection(int, SAFEARRAY**) {
    Disconnect();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectObject::OnBeginShutdown(SAFEARRAY**) {
    // The pane goes while Excel's windows are still all there.
    Disconnect();
    return S_OK;
}

void ConnectObject::Connect(IDispatch* application) {
    if (application == nullptr) Raise(err::kObjectNotSet);
    const std::shared_ptr<AddIn> core = Core();
    try {
        core->Connect(WrapApplication(application));
    } catch (...) {
        // Excel drops an add-in whose start failed: nothing of it may stay.
        Disconnect();
        throw;
    }
}

void ConnectObject::Disconnect() noexcept {
    const std::shared_ptr<AddIn> core = std::exchange(core_, nullptr);
    if (!core) return;
    IgnoreFailure([&] {
        // A stop left to the message loop runs the DLL's code: the DLL stays
        // loaded (DllCanUnloadNow answers S_FALSE) until it has run.
        auto loaded = std::make_shared<server::LiveObject>();
        core->Disconnect([loaded] {});
    });
}

std::shared_ptr<AddIn> ConnectObject::Core() {
    if (!core_) core_ = std::make_shared<AddIn>(server::SharedComponent());
    return core_;
}

}  // namespace brackwell::win::addin

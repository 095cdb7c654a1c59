#include "adapters/windows/com/wayfinder_object.h"

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/automation/wrap_application.h"
#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/dispatch_arguments.h"
#include "adapters/windows/com/type_library.h"
#include "adapters/windows/com/wayfinder_dispids.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kErrorSource[] = L"Brackwell.Wayfinder";

struct Member {
    const wchar_t* name;
    DISPID id;
};

// The dispinterface's members; wayfinder_dispids.h gives the type library
// the same numbers.
constexpr Member kMembers[] = {
    {L"mExcel", DISPID_WAYFINDER_MEXCEL},
    {L"SizeOn", DISPID_WAYFINDER_SIZEON},
    {L"CreateNavBar", DISPID_WAYFINDER_CREATENAVBAR},
    {L"DelNavBar", DISPID_WAYFINDER_DELNAVBAR},
    {L"UpdateTree", DISPID_WAYFINDER_UPDATETREE},
    {L"CreateLink", DISPID_WAYFINDER_CREATELINK},
};

// The one parameter of a method, named as the type library names it.
const wchar_t* ParameterName(DISPID member) noexcept {
    switch (member) {
    case DISPID_WAYFINDER_UPDATETREE: return L"bClear";
    case DISPID_WAYFINDER_CREATELINK: return L"Wb";
    default: return nullptr;
    }
}

// VB compares member names without regard to case.
bool SameName(const wchar_t* a, const wchar_t* b) noexcept {
    return a != nullptr && CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

bool IsMember(DISPID id) noexcept {
    for (const Member& member : kMembers) {
        if (member.id == id) return true;
    }
    return false;
}

// Methods are called (DISPATCH_METHOD) or read like a property, as VB does
// for a call inside an expression.
bool IsCall(WORD flags) noexcept { return (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0; }
bool IsPut(WORD flags) noexcept { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

// Members without parameters refuse any argument.
void RequireNoArguments(const DISPPARAMS& params) { DispatchArguments check(params, 0, 0); }

// The workbook of CreateLink as the host adapter's port; Nothing stays empty
// and the navigator reports it.
WorkbookPtr WrapWorkbook(const ComPtr<IDispatch>& workbook) {
    return MakeHostWorkbook(LateBound(workbook, std::make_shared<DispIdRegistry>()));
}

}  // namespace

WayfinderObject::WayfinderObject(Component& component)
    : navigator_(std::make_unique<Wayfinder>(component)) {}

WayfinderObject::~WayfinderObject() = default;

HRESULT WayfinderObject::Create(REFIID iid, void** out) {
    return ComGuard(IID_IClassFactory, kWayfinderVersionIndependentProgId, [&] {
        auto navigator = MakeComObject<WayfinderObject>(server::SharedComponent());
        return navigator->QueryInterface(iid, out);
    });
}

HRESULT STDMETHODCALLTYPE WayfinderObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__Wayfinder)) {
        *out = AsDispatch();
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else if (IsEqualIID(iid, IID_IProvideClassInfo)) {
        *out = static_cast<IProvideClassInfo*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WayfinderObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WayfinderObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return ComGuard(IID_IDispatch, kErrorSource,
                    [&] { *info = ServerTypeInfo(server::Module(), DIID__Wayfinder).Detach(); });
}

HRESULT STDMETHODCALLTYPE WayfinderObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                          DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (count == 0) return S_OK;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (const Member& member : kMembers) {
        if (SameName(names[0], member.name)) ids[0] = member.id;
    }
    if (ids[0] == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    // Further names are named arguments; a parameter's DISPID is its position.
    const wchar_t* parameter = ParameterName(ids[0]);
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        if (parameter != nullptr && SameName(names[i], parameter)) {
            ids[i] = 0;
        } else {
            hr = DISP_E_UNKNOWNNAME;
        }
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE WayfinderObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (result) VariantInit(result);
    if (!IsMember(id)) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{};
    const DISPPARAMS& given = params ? *params : none;
    // A host event inside the call may make the caller drop its last reference.
    ComPtr<IDispatch> keepAlive(AsDispatch());
    try {
        return InvokeMember(id, flags, given, result);
    } catch (const ArgumentFailure& failure) {
        if (argError && failure.rawIndex) *argError = *failure.rawIndex;
        return failure.code;
    } catch (...) {
        const AutomationError error = CurrentException();
        const HRESULT code = ReportError(error, DIID__Wayfinder, kErrorSource);
        if (exception == nullptr) return code;
        FillExcepInfo(*exception, error, kErrorSource);
        return DISP_E_EXCEPTION;
    }
}

HRESULT WayfinderObject::InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result) {
    if (id == DISPID_WAYFINDER_MEXCEL) {
        if (IsPut(flags)) {
            PutHost(PutObject(params));
            return S_OK;
        }
        if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        RequireNoArguments(params);
        if (result) Variant::Object(host_).DetachTo(result);
        return S_OK;
    }

    if (IsPut(flags) || !IsCall(flags)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
    case DISPID_WAYFINDER_SIZEON:
        RequireNoArguments(params);
        navigator_->SizeOn();
        break;
    case DISPID_WAYFINDER_CREATENAVBAR:
        RequireNoArguments(params);
        navigator_->CreateNavBar();
        break;
    case DISPID_WAYFINDER_DELNAVBAR:
        RequireNoArguments(params);
        navigator_->DelNavBar();
        break;
    case DISPID_WAYFINDER_UPDATETREE: {
        const DispatchArguments args(params, 1, 0);
        navigator_->UpdateTree(args.OptionalBool(0));
        break;
    }
    case DISPID_WAYFINDER_CREATELINK: {
        const DispatchArguments args(params, 1, 1);
        navigator_->CreateLink(WrapWorkbook(args.Object(0)));
        break;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
}

void WayfinderObject::PutHost(const ComPtr<IDispatch>& host) {
    // The host is kept whatever happens next, as the navigator keeps it even
    // when attaching to its events fails.
    host_ = host;
    navigator_->set_mExcel(host ? WrapApplication(host.Get()) : ApplicationPtr());
}

HRESULT STDMETHODCALLTYPE WayfinderObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, DIID__Wayfinder) || IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE WayfinderObject::GetClassInfo(ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    return ComGuard(IID_IProvideClassInfo, kErrorSource,
                    [&] { *info = ServerTypeInfo(server::Module(), CLSID_Wayfinder).Detach(); });
}

}  // namespace brackwell::win

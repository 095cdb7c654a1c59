#include "adapters/windows/facade/facade_object.h"

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/facade/facade_context.h"

namespace brackwell::win {

namespace {

constexpr wchar_t kErrorSource[] = L"Microsoft Excel";

bool Gettable(MemberKind kind) noexcept { return kind != MemberKind::Put; }
bool Puttable(MemberKind kind) noexcept { return kind == MemberKind::GetPut || kind == MemberKind::Put; }

// Member names are ASCII; late binding compares them without case.
bool SameName(const wchar_t* a, const wchar_t* b) noexcept {
    for (;; ++a, ++b) {
        wchar_t x = *a;
        wchar_t y = *b;
        if (x >= L'A' && x <= L'Z') x = static_cast<wchar_t>(x - L'A' + L'a');
        if (y >= L'A' && y <= L'Z') y = static_cast<wchar_t>(y - L'A' + L'a');
        if (x != y) return false;
        if (x == L'\0') return true;
    }
}

}  // namespace

FacadeObject::FacadeObject(std::shared_ptr<FacadeContext> context, std::span<const MemberInfo> members)
    : context_(std::move(context)), members_(members) {}

FacadeObject::~FacadeObject() {
    if (identityPort_ != nullptr) context_->Forget(identityPort_, *identityType_, *this);
}

void FacadeObject::SetIdentity(const void* port, const std::type_info* type) noexcept {
    identityPort_ = port;
    identityType_ = type;
}

ComPtr<IDispatch> FacadeObject::TryShare() noexcept {
    if (!TryAddRef()) return {};
    return ComPtr<IDispatch>::Adopt(AsDispatch());
}

HRESULT STDMETHODCALLTYPE FacadeObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = AsDispatch();
    } else if (IsEqualIID(iid, kIidFacadeObject)) {
        *out = static_cast<IFacadeObject*>(this);
    } else {
        *out = QueryExtra(iid);
    }
    if (*out == nullptr) return E_NOINTERFACE;
    static_cast<IUnknown*>(*out)->AddRef();
    return S_OK;
}

void* FacadeObject::QueryExtra(REFIID) noexcept { return nullptr; }

void FacadeObject::Put(DISPID, const DispArgs&) {
    Raise(err::kNotSupported);  // unreachable: the table lists no put for this object
}

HRESULT STDMETHODCALLTYPE FacadeObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;  // late binding by name only; callers keep a table per object
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE FacadeObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                      DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const MemberInfo& member : members_) {
        if (names[0] != nullptr && SameName(names[0], member.name)) ids[0] = member.id;
    }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    // Further names would be named arguments, which the facade does not take.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const MemberInfo* FacadeObject::Find(DISPID id) const noexcept {
    for (const MemberInfo& member : members_) {
        if (member.id == id) return &member;
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE FacadeObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags,
                                               DISPPARAMS* params, VARIANT* result,
                                               EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{};
    DISPPARAMS& given = params ? *params : none;
    if (given.cArgs > 0 && given.rgvarg == nullptr) return E_INVALIDARG;
    if (given.cNamedArgs > 0 && given.rgdispidNamedArgs == nullptr) return E_INVALIDARG;
    if (result) VariantInit(result);
    const MemberInfo* member = Find(id);
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    ComPtr<IDispatch> keepAlive(AsDispatch());  // a port call may release the caller's last reference
    try {
        return InvokeChecked(*member, flags, given, result, exception, argError);
    } catch (const ArgumentError& error) {
        if (argError && error.position < given.cArgs) *argError = given.cArgs - 1 - error.position;
        return error.code;
    } catch (...) {
        if (exception) FillExcepInfo(*exception, CurrentException(), kErrorSource);
        return DISP_E_EXCEPTION;
    }
}

HRESULT FacadeObject::InvokeChecked(const MemberInfo& member, WORD flags, DISPPARAMS& params,
                                    VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        // No member takes an object by Set, so PROPERTYPUTREF finds nothing.
        if (!(flags & DISPATCH_PROPERTYPUT) || !Puttable(member.kind)) return DISP_E_MEMBERNOTFOUND;
        if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        if (params.cNamedArgs > 1 ||
            (params.cNamedArgs == 1 && params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
            return DISP_E_NONAMEDARGS;
        Put(member.id, DispArgs(params));
        return S_OK;
    }
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) || !Gettable(member.kind))
        return DISP_E_MEMBERNOTFOUND;
    if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (params.cArgs > member.maxArgs && member.maxArgs == 0 && member.kind != MemberKind::Method) {
        // Worksheets(1): the property's value, then its default member with the arguments.
        DISPPARAMS noArgs{};
        Variant value = Get(member.id, DispArgs(noArgs));
        const VARIANT& object = value.Get();
        if (V_VT(&object) != VT_DISPATCH || V_DISPATCH(&object) == nullptr) return DISP_E_BADPARAMCOUNT;
        return V_DISPATCH(&object)->Invoke(DISPID_VALUE, IID_NULL, kHostLocale, flags, &params, result,
                                           exception, argError);
    }
    if (params.cArgs < member.minArgs || params.cArgs > member.maxArgs) return DISP_E_BADPARAMCOUNT;
    Variant value = Get(member.id, DispArgs(params));
    if (result) value.DetachTo(result);
    return S_OK;
}

}  // namespace brackwell::win

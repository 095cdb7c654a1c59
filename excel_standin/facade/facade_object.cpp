#include "excel_standin/facade/facade_object.h"

#include <memory_resource>
#include <mutex>

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/spin_lock.h"
#include "excel_standin/facade/facade_context.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

namespace {

constexpr wchar_t kErrorSource[] = L"Microsoft Excel";

// Released from whichever thread drops the last reference, hence the lock.
// Made once and never destroyed: objects may still be released while the
// process ends.
struct FacadeMemory {
    SpinLock lock;
    std::pmr::unsynchronized_pool_resource pool;
};

FacadeMemory& Memory() {
    static FacadeMemory* const memory = new FacadeMemory;
    return *memory;
}

bool Gettable(MemberKind kind) noexcept { return kind != MemberKind::Put; }
bool Puttable(MemberKind kind) noexcept { return kind == MemberKind::GetPut || kind == MemberKind::Put; }

}  // namespace

void* FacadeObject::operator new(std::size_t size) {
    FacadeMemory& memory = Memory();
    std::lock_guard hold(memory.lock);
    return memory.pool.allocate(size, alignof(std::max_align_t));
}

void FacadeObject::operator delete(void* object, std::size_t size) noexcept {
    FacadeMemory& memory = Memory();
    std::lock_guard hold(memory.lock);
    memory.pool.deallocate(object, size, alignof(std::max_align_t));
}

FacadeObject::FacadeObject(std::shared_ptr<FacadeContext> context, std::span<const MemberInfo> members)
    : context_(std::move(context)), members_(members) {}

FacadeObject::FacadeObject(std::shared_ptr<FacadeContext> context, FacadeTypeInfo& type)
    : context_(std::move(context)), members_(type.Members()), type_(&type) {}

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
    *count = type_ ? 1 : 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (!type_ || index != 0) return DISP_E_BADINDEX;
    *info = type_;  // static: no reference to count
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FacadeObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                      DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return IdsOfNames(members_, names, count, ids);
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
    if (result) V_VT(result) = VT_EMPTY;  // VariantInit's whole work, without the call
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

#include "excel_standin/office/office_dispatch.h"

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/hresult_error.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::office {

HRESULT DispatchIdsOfNames(std::span<const MemberInfo> members, REFIID iid, LPOLESTR* names, UINT count,
                           DISPID* ids) noexcept {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return win::IdsOfNames(members, names, count, ids);
}

HRESULT DispatchInvoke(std::span<const MemberInfo> members, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError,
                       const std::function<Variant(DISPID, const DispArgs&)>& get,
                       const std::function<void(DISPID, const DispArgs&)>& put) noexcept {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    DISPPARAMS none{};
    DISPPARAMS& given = params ? *params : none;
    if (given.cArgs > 0 && given.rgvarg == nullptr) return E_INVALIDARG;
    if (result) V_VT(result) = VT_EMPTY;
    const MemberInfo* member = nullptr;
    for (const MemberInfo& candidate : members) {
        if (candidate.id == id) member = &candidate;
    }
    if (member == nullptr) return DISP_E_MEMBERNOTFOUND;
    try {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {  // Let and Set alike
            if ((member->kind != MemberKind::GetPut && member->kind != MemberKind::Put) || !put)
                return DISP_E_MEMBERNOTFOUND;
            if (given.cArgs != 1) return DISP_E_BADPARAMCOUNT;
            put(id, DispArgs(given));
            return S_OK;
        }
        if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) || member->kind == MemberKind::Put)
            return DISP_E_MEMBERNOTFOUND;
        if (given.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
        if (given.cArgs < member->minArgs || given.cArgs > member->maxArgs) return DISP_E_BADPARAMCOUNT;
        Variant value = get(id, DispArgs(given));
        if (result) value.DetachTo(result);
        return S_OK;
    } catch (const win::ArgumentError& error) {
        if (argError && error.position < given.cArgs) *argError = given.cArgs - 1 - error.position;
        return error.code;
    } catch (...) {
        if (exception) win::FillExcepInfo(*exception, win::CurrentException(), kOfficeErrorSource);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace brackwell::office

#include "excel_standin/office/ribbon_callbacks.h"

#include "adapters/windows/common/hresult_error.h"

namespace brackwell::office {

HRESULT InvokeRibbonCallback(IDispatch* target, const std::wstring& name, const std::vector<win::Variant>& args,
                             win::Variant* result) noexcept {
    if (!target || name.empty()) return E_INVALIDARG;
    try {
        std::wstring member = name;
        LPOLESTR names[] = {member.data()};
        DISPID id = DISPID_UNKNOWN;
        if (const HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); FAILED(hr))
            return hr;
        std::vector<VARIANT> reversed(args.size());
        for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        win::ExcepInfo exception;
        UINT argError = 0;
        win::Variant answer;
        const HRESULT hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                          answer.Receive(), exception.Receive(), &argError);
        if (result) *result = std::move(answer);
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace brackwell::office

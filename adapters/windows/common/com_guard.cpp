#include "adapters/windows/common/com_guard.h"

#include <oleauto.h>

#include <new>

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win {

AutomationError CurrentException() noexcept {
    try {
        throw;
    } catch (const AutomationError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return AutomationError(7, "Nicht genügend Speicher");
    } catch (const std::exception& error) {
        return AutomationError(51, std::string("Interner Fehler: ") + error.what());
    } catch (...) {
        return AutomationError(51, "Interner Fehler");
    }
}

HRESULT ReportError(const AutomationError& error, REFIID iid, std::wstring_view source) noexcept {
    try {
        ComPtr<ICreateErrorInfo> create;
        if (SUCCEEDED(CreateErrorInfo(create.Receive()))) {
            create->SetGUID(iid);
            create->SetSource(Bstr(source).Get());
            create->SetDescription(Bstr(std::string_view(error.Description())).Get());
            if (auto info = create.Query<IErrorInfo>()) SetErrorInfo(0, info.Get());
        }
    } catch (...) {
        // No memory for the text: the failure code alone still tells the caller.
    }
    return FailureFromNumber(error.Number());
}

AutomationError ErrorFromFailedCall(HRESULT hr, IUnknown* callee, REFIID iid) {
    AutomationError error = ErrorFromHresult(hr);
    // Only an object that says it sets error information for this interface
    // is asked; anything else left over from an earlier call is not ours.
    auto supports = ComPtr<IUnknown>(callee).Query<ISupportErrorInfo>();
    if (!supports || supports->InterfaceSupportsErrorInfo(iid) != S_OK) return error;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info) return error;
    Bstr description;
    if (FAILED(info->GetDescription(description.Receive())) || description.View().empty()) return error;
    return AutomationError(error.Number(), description.ToUtf8());
}

}  // namespace brackwell::win

#pragma once
// What the add-in's three IDispatch implementations share: names resolved
// from a table, ignoring case as VB does, and the boundary of Invoke, where
// a refused argument becomes its HRESULT and any other failure the
// EXCEPINFO (DISP_E_EXCEPTION) or, without one, the failure code with
// IErrorInfo. Nothing thrown gets out.

#include <windows.h>

#include <oaidl.h>

#include <span>
#include <string_view>

#include "adapters/windows/com/dispatch_arguments.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/hresult_error.h"

namespace brackwell::win::addin {

struct DispatchName {
    const wchar_t* name;
    DISPID id;
};

// GetIDsOfNames for members without named arguments.
HRESULT IdsOfNames(std::span<const DispatchName> members, REFIID iid, LPOLESTR* names, UINT count, DISPID* ids);

// Runs `body` (returning HRESULT) as Invoke's work.
template <class Body>
HRESULT GuardedInvoke(REFIID iid, std::wstring_view source, EXCEPINFO* exception, UINT* argError,
                      Body&& body) noexcept {
    try {
        return body();
    } catch (const ArgumentFailure& failure) {
        if (argError && failure.rawIndex) *argError = *failure.rawIndex;
        return failure.code;
    } catch (...) {
        const AutomationError error = CurrentException();
        const HRESULT code = ReportError(error, iid, source);
        if (exception == nullptr) return code;
        FillExcepInfo(*exception, error, source);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace brackwell::win::addin

#pragma once
// The boundary of an interface method we implement: nothing thrown inside gets
// out. A failure becomes the HRESULT carrying its VB number, and its text goes
// to the caller through IErrorInfo (SetErrorInfo), where VB's Err object and
// other clients look for it.

#include <windows.h>

#include <oaidl.h>

#include <string_view>
#include <type_traits>
#include <utility>

#include "host/automation_error.h"

namespace brackwell::win {

// Any exception in flight as an AutomationError (out of memory is error 7,
// anything unexpected error 51).
AutomationError CurrentException() noexcept;

// Hands `error` to the caller's IErrorInfo and returns its failure code.
HRESULT ReportError(const AutomationError& error, REFIID iid, std::wstring_view source) noexcept;

// Runs `body` (returning HRESULT, or nothing for S_OK) inside the boundary.
template <class Body>
HRESULT ComGuard(REFIID iid, std::wstring_view source, Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<decltype(std::forward<Body>(body)())>) {
            std::forward<Body>(body)();
            return S_OK;
        } else {
            return std::forward<Body>(body)();
        }
    } catch (...) {
        return ReportError(CurrentException(), iid, source);
    }
}

// The error a failed call on `callee` means, with the callee's IErrorInfo
// text when it says (ISupportErrorInfo) that it sets one for `iid`.
AutomationError ErrorFromFailedCall(HRESULT hr, IUnknown* callee, REFIID iid);

}  // namespace brackwell::win

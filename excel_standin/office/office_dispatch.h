#pragma once
// IDispatch of the dual Office objects the stand-in Excel hands to add-ins
// (COMAddIn, IRibbonControl, IRibbonUI, ICTPFactory, _CustomTaskPane): late
// binding over a member table with the DISPIDs of Office's type library and
// the facade's rules for flags, argument counts and failures. Each object's
// vtable methods and its Invoke run the same code.

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <span>
#include <string_view>

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/variant.h"
#include "excel_standin/facade/dispatch_args.h"
#include "excel_standin/facade/facade_object.h"

namespace brackwell::office {

using win::DispArgs;
using win::MemberInfo;
using win::MemberKind;
using win::Variant;

inline constexpr wchar_t kOfficeErrorSource[] = L"Microsoft Office";

HRESULT DispatchIdsOfNames(std::span<const MemberInfo> members, REFIID iid, LPOLESTR* names, UINT count,
                           DISPID* ids) noexcept;

// One Invoke: `get` answers gets and method calls, `put` puts (the value is
// argument 0). Whatever they throw becomes the Invoke's failure.
HRESULT DispatchInvoke(std::span<const MemberInfo> members, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError,
                       const std::function<Variant(DISPID, const DispArgs&)>& get,
                       const std::function<void(DISPID, const DispArgs&)>& put = {}) noexcept;

// A vtable method's boundary: nothing thrown gets out, a failure is its HRESULT.
template <class Body>
HRESULT Guarded(REFIID iid, Body&& body) noexcept {
    return win::ComGuard(iid, kOfficeErrorSource, std::forward<Body>(body));
}

}  // namespace brackwell::office

#pragma once
// A ribbon callback called as Office calls it: by the name the XML gives,
// through IDispatch on the add-in's IRibbonExtensibility object
// (GetIDsOfNames, then Invoke with DISPATCH_METHOD and the arguments last to
// first); results such as getPressed's come back in pVarResult. Office's
// exact wFlags are UNCONFIRMED.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "adapters/windows/common/variant.h"

namespace brackwell::office {

// Arguments in declaration order. S_OK, or the failure of GetIDsOfNames
// (an unknown name) or Invoke.
HRESULT InvokeRibbonCallback(IDispatch* target, const std::wstring& name, const std::vector<win::Variant>& args,
                             win::Variant* result = nullptr) noexcept;

}  // namespace brackwell::office

#pragma once
// Helpers for the Windows adapter tests: raw IDispatch calls as an automation
// client makes them, the error a port call raises, and a message pump.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/common/variant.h"
#include "host/automation_error.h"

namespace brackwell::win::testing {

// What one raw Invoke gave back.
struct RawResult {
    HRESULT hr = E_FAIL;
    Variant value;
    UINT argError = 0xFFFFFFFF;  // untouched unless the callee set it
    HRESULT scode = S_OK;        // from the EXCEPINFO
    std::wstring source;
    std::string description;
};

DISPID IdOf(IDispatch* object, const wchar_t* name);

// Arguments in declaration order; put passes the value with DISPID_PROPERTYPUT.
RawResult InvokeRaw(IDispatch* object, DISPID id, WORD flags, std::vector<Variant> args = {});
RawResult GetRaw(IDispatch* object, const wchar_t* name, std::vector<Variant> args = {});
RawResult PutRaw(IDispatch* object, const wchar_t* name, Variant value);

// The object a raw result holds (fails the test when it holds none).
ComPtr<IDispatch> ObjectOf(const RawResult& result);

// A Variant of the given VARTYPE holding a small number (VT_I2, VT_I4, VT_R8 ...).
Variant Number(VARTYPE type, int value);
// A by-reference Variant pointing at `target`, as VBScript passes a variable.
Variant ByRef(Variant& target);

// The AutomationError a call raised; number 0 when it succeeded.
AutomationError ErrorOf(const std::function<void()>& call);

// Lets every waiting window message run, like DoEvents.
void PumpMessages();

// The object's current reference count (an AddRef/Release probe).
ULONG ReferenceCount(IUnknown* object);

}  // namespace brackwell::win::testing

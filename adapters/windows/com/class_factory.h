#pragma once
// The class factory of "Brackwell.Wayfinder". Creating an instance makes a
// navigator over the process's shared component; when the navigator cannot
// load the user's settings, creation fails with the VB error's HRESULT
// (0x800A0000 | number) and IErrorInfo carries the text naming the setting.

#include <windows.h>

#include <unknwn.h>

#include "adapters/windows/com/server_module.h"
#include "adapters/windows/common/com_object.h"

namespace brackwell::win {

class WayfinderFactory final : public ComObject<IClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    // A factory a client still holds keeps the DLL loaded, so its code stays there.
    server::LiveObject alive_;
};

}  // namespace brackwell::win

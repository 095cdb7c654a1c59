#pragma once
// The class factory of each of the DLL's classes: "Brackwell.Wayfinder",
// and the COM add-in's "Brackwell.Connect" and "Brackwell.PaneHost".
// CreateInstance makes one object and hands out the interface asked for; a
// failure to make it (the navigator's settings cannot be read, say) comes
// back as the VB error's HRESULT (0x800A0000 | number) with its text in
// IErrorInfo.

#include <windows.h>

#include <unknwn.h>

#include "adapters/windows/com/server_module.h"
#include "adapters/windows/common/com_object.h"

namespace brackwell::win {

class ClassFactory final : public ComObject<IClassFactory> {
public:
    // Makes one object and queries it for `iid`; never throws.
    using Create = HRESULT (*)(REFIID iid, void** out);
    explicit ClassFactory(Create create) noexcept : create_(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    Create create_;
    // A factory a client still holds keeps the DLL loaded, so its code stays there.
    server::LiveObject alive_;
};

}  // namespace brackwell::win

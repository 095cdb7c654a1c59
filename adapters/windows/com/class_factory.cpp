#include "adapters/windows/com/class_factory.h"

#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/wayfinder_object.h"
#include "adapters/windows/common/com_guard.h"

namespace brackwell::win {

HRESULT STDMETHODCALLTYPE WayfinderFactory::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WayfinderFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return ComGuard(IID_IClassFactory, kWayfinderVersionIndependentProgId, [&] {
        auto navigator = MakeComObject<WayfinderObject>(server::SharedComponent());
        return navigator->QueryInterface(iid, out);
    });
}

HRESULT STDMETHODCALLTYPE WayfinderFactory::LockServer(BOOL lock) {
    if (lock) {
        server::Lock();
    } else {
        server::Unlock();
    }
    return S_OK;
}

}  // namespace brackwell::win

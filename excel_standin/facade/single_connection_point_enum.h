#pragma once
// The enumerator an EnumConnectionPoints caller gets from an object with one
// connection point (the application's AppEvents, a task pane's events).

#include <windows.h>

#include <ocidl.h>

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/com_object.h"
#include "excel_standin/facade/live_objects.h"

namespace brackwell::win {

// The one entry an EnumConnectionPoints caller gets.
class SingleConnectionPointEnum final : public ComObject<IEnumConnectionPoints> {
public:
    explicit SingleConnectionPointEnum(ComPtr<IConnectionPoint> point, ULONG next = 0)
        : point_(std::move(point)), next_(next) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
            *out = static_cast<IEnumConnectionPoints*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
        if (out == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
        ULONG done = 0;
        if (count > 0 && next_ == 0) {
            out[0] = ComPtr<IConnectionPoint>(point_).Detach();
            next_ = done = 1;
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const bool enough = count <= 1 - next_;
        if (count > 0) next_ = 1;
        return enough ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
        if (out == nullptr) return E_POINTER;
        return ComGuard(IID_IEnumConnectionPoints, L"Microsoft Excel", [&] {
            *out = nullptr;
            *out = MakeComObject<SingleConnectionPointEnum>(point_, next_).Detach();
        });
    }

private:
    LiveObjectToken alive_;
    ComPtr<IConnectionPoint> point_;
    ULONG next_;
};

}  // namespace brackwell::win

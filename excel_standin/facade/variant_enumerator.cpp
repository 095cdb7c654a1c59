// IEnumVARIANT over a snapshot of a collection, for For Each. Clones share the
// snapshot and start where the original stands.

#include <memory>

#include "adapters/windows/common/com_object.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/live_objects.h"

namespace brackwell::win {

namespace {

class VariantEnumerator final : public ComObject<IEnumVARIANT> {
public:
    VariantEnumerator(std::shared_ptr<const std::vector<Variant>> items, std::size_t next)
        : items_(std::move(items)), next_(next) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumVARIANT)) {
            *out = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (out == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
        ULONG done = 0;
        for (; done < count && next_ < items_->size(); ++done, ++next_) {
            VariantInit(&out[done]);
            const HRESULT hr = VariantCopy(&out[done], const_cast<VARIANT*>(&(*items_)[next_].Get()));
            if (FAILED(hr)) {
                for (ULONG i = 0; i < done; ++i) VariantClear(&out[i]);
                if (fetched) *fetched = 0;
                return hr;
            }
        }
        if (fetched) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = items_->size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (out == nullptr) return E_POINTER;
        try {
            *out = MakeComObject<VariantEnumerator>(items_, next_).Detach();
            return S_OK;
        } catch (...) {
            *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }

private:
    LiveObjectToken alive_;
    std::shared_ptr<const std::vector<Variant>> items_;
    std::size_t next_;
};

}  // namespace

ComPtr<IEnumVARIANT> MakeVariantEnumerator(std::vector<Variant> items) {
    auto shared = std::make_shared<const std::vector<Variant>>(std::move(items));
    return ComPtr<IEnumVARIANT>(MakeComObject<VariantEnumerator>(std::move(shared), 0).Get());
}

}  // namespace brackwell::win

#pragma once
// The reference count of a COM object we implement. A derived class adds
// QueryInterface; creation goes through MakeComObject, which hands out the
// first reference, and the last Release ends the object.

#include <windows.h>

#include <unknwn.h>

#include <atomic>
#include <memory>
#include <utility>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() = default;

    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;  // the one place a COM object we made ends
        return left;
    }

protected:
    // AddRef unless the object is already on its way out (count 0): lets a
    // weak lookup table hand out only living objects.
    bool TryAddRef() noexcept {
        ULONG current = refs_.load();
        while (current != 0) {
            if (refs_.compare_exchange_weak(current, current + 1)) return true;
        }
        return false;
    }

private:
    std::atomic<ULONG> refs_{1};
};

// Creates a COM object; the result holds its first reference.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args) {
    return ComPtr<T>::Adopt(std::make_unique<T>(std::forward<Args>(args)...).release());
}

}  // namespace brackwell::win

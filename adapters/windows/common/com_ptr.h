#pragma once
// Owner of one COM reference. Copying adds a reference, destroying releases
// it, so no caller writes an AddRef/Release pair by hand.

#include <windows.h>

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace brackwell::win {

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Shares `p`: the new owner takes a reference of its own.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Takes over a reference that was already counted for the caller (an
    // [out] pointer, a freshly created object).
    static ComPtr Adopt(T* p) noexcept {
        ComPtr result;
        result.p_ = p;
        return result;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    void Reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // For an [out] interface pointer: drops the current reference first.
    T** Receive() noexcept {
        Reset();
        return &p_;
    }
    void** ReceiveVoid() noexcept { return reinterpret_cast<void**>(Receive()); }
    // Hands the reference to a caller that releases it (an [out] we fill).
    T* Detach() noexcept { return std::exchange(p_, nullptr); }

    // QueryInterface; empty when the object does not offer `iid`.
    template <class U>
    ComPtr<U> Query(REFIID iid = __uuidof(U)) const noexcept {
        ComPtr<U> result;
        if (p_) p_->QueryInterface(iid, result.ReceiveVoid());
        return result;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

// The object's identity (its IUnknown), the way COM compares objects.
template <class T>
ComPtr<IUnknown> Identity(T* p) noexcept {
    return p ? ComPtr<T>(p).template Query<IUnknown>() : ComPtr<IUnknown>();
}

}  // namespace brackwell::win

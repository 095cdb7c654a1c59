#include "adapters/windows/controls/tree_drop_target.h"

#include <utility>

#include "adapters/windows/controls/data_object.h"
#include "host/forms.h"

namespace brackwell::win {
namespace {

constexpr std::int16_t kEnterState = 0;  // vbEnter
constexpr std::int16_t kOverState = 2;   // vbOver

// OLE's key state as VB's Button (1 left, 2 right, 4 middle) and Shift (1 Shift, 2 Ctrl, 4 Alt).
std::int16_t ButtonOf(DWORD keys) {
    std::int16_t button = 0;
    if (keys & MK_LBUTTON) button |= vb::kLeftButton;
    if (keys & MK_RBUTTON) button |= vb::kRightButton;
    if (keys & MK_MBUTTON) button |= vb::kMiddleButton;
    return button;
}

std::int16_t ShiftOf(DWORD keys) {
    std::int16_t shift = 0;
    if (keys & MK_SHIFT) shift |= 1;
    if (keys & MK_CONTROL) shift |= 2;
    if (keys & MK_ALT) shift |= 4;
    return shift;
}

// What a drop here would do, as everywhere in Windows: move, copy with Ctrl,
// the other one where the source allows only that, none where it allows neither.
DWORD UsualEffect(DWORD keys, DWORD allowed) {
    const DWORD wanted = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (allowed & wanted) return wanted;
    if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

}  // namespace

void TreeDropTarget::Disconnect() noexcept {
    events_ = nullptr;
    window_ = nullptr;
    data_.Reset();
}

HRESULT STDMETHODCALLTYPE TreeDropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

void TreeDropTarget::Report(DWORD keys, POINTL at, DWORD* effect, std::int16_t state, bool drop) {
    const DWORD allowed = effect ? *effect : DROPEFFECT_NONE;
    if (effect) *effect = DROPEFFECT_NONE;
    if (!events_ || !window_) return;
    lastKeys_ = keys;
    lastAt_ = at;
    POINT client{at.x, at.y};
    ::ScreenToClient(window_, &client);
    const float x = static_cast<float>(client.x * kTwipsPerPixel);
    const float y = static_cast<float>(client.y * kTwipsPerPixel);
    const std::int16_t button = ButtonOf(keys);
    const std::int16_t shift = ShiftOf(keys);

    // The event's own reference: a handler that ends the tree (and with it
    // this target's hold on the data) leaves the data object alive.
    WinDataObject data(data_);
    std::int32_t vbEffect = static_cast<std::int32_t>(UsualEffect(keys, allowed));
    try {
        events_->Fire([&](TreeEvents& sink) {
            if (drop) {
                sink.OLEDragDrop(data, vbEffect, button, shift, x, y);
            } else {
                sink.OLEDragOver(data, vbEffect, button, shift, x, y, state);
            }
        });
    } catch (...) {
        // A handler's failure is its own; OLE carries on.
    }
    if (effect) *effect = static_cast<DWORD>(vbEffect) & allowed;
}

HRESULT STDMETHODCALLTYPE TreeDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    if (events_) data_ = ComPtr<IDataObject>(data);  // a disconnected target keeps nothing
    Report(keys, at, effect, kEnterState, false);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TreeDropTarget::DragOver(DWORD keys, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    Report(keys, at, effect, kOverState, false);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TreeDropTarget::DragLeave() {
    DWORD none = DROPEFFECT_NONE;
    Report(lastKeys_, lastAt_, &none, vb::kLeaveState, false);
    data_.Reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TreeDropTarget::Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    if (events_) data_ = ComPtr<IDataObject>(data);
    Report(keys, at, effect, kOverState, true);
    data_.Reset();
    return S_OK;
}

DropTargetRegistration::DropTargetRegistration(HWND window, ComPtr<TreeDropTarget> target) {
    if (!window || !target) return;
    if (FAILED(::RegisterDragDrop(window, target.Get()))) {
        target->Disconnect();
        return;
    }
    window_ = window;
    target_ = std::move(target);
}

DropTargetRegistration::DropTargetRegistration(DropTargetRegistration&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)), target_(std::move(other.target_)) {}

DropTargetRegistration& DropTargetRegistration::operator=(DropTargetRegistration&& other) noexcept {
    if (this != &other) {
        Revoke();
        window_ = std::exchange(other.window_, nullptr);
        target_ = std::move(other.target_);
    }
    return *this;
}

void DropTargetRegistration::Revoke() noexcept {
    if (!target_) return;
    if (::IsWindow(window_)) ::RevokeDragDrop(window_);
    target_->Disconnect();
    target_.Reset();
    window_ = nullptr;
}

}  // namespace brackwell::win

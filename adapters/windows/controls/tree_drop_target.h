#pragma once
// The tree as an OLE drop target: whatever is dragged over it, from the tree
// itself or from another program, arrives as the tree's events. DragEnter
// and DragOver raise OLEDragOver with state 0 (enter) and 2 (over),
// DragLeave raises it with state 1 (leave), Drop raises OLEDragDrop; the
// position is in twips from the tree's top-left corner, as for MouseDown.
// The effect offered to the handlers is the usual one (move, copy with Ctrl,
// none when the source allows neither); what they leave in it goes back to
// OLE. Nothing thrown by a handler reaches OLE.

#include <windows.h>

#include <oleidl.h>

#include "adapters/shared/sink_list.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/com_ptr.h"
#include "host/tree_view.h"

namespace brackwell::win {

class TreeDropTarget final : public ComObject<IDropTarget> {
public:
    using Events = shared::SinkList<TreeEvents>;

    // `window`: the tree control, whose client area the positions are in.
    TreeDropTarget(HWND window, const Events& events) : window_(window), events_(&events) {}

    // The tree is going: from now on the target refuses every drop and
    // raises nothing. OLE may still hold it while a drag is under way.
    void Disconnect() noexcept;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

private:
    // Raises OLEDragOver (or, for `drop`, OLEDragDrop) and answers OLE's effect.
    void Report(DWORD keys, POINTL at, DWORD* effect, std::int16_t state, bool drop);

    HWND window_;
    const Events* events_;
    ComPtr<IDataObject> data_;  // from DragEnter until DragLeave or Drop
    DWORD lastKeys_ = 0;
    POINTL lastAt_{};
};

// Registers a tree's drop target with OLE for as long as it lives; revokes
// it and disconnects the target when it goes, which must happen while the
// window still exists (OLE cannot revoke a destroyed window's target and
// would keep its reference). Empty when OLE refused, as on a thread without
// OleInitialize: the tree then works without drops.
class DropTargetRegistration {
public:
    DropTargetRegistration() = default;
    DropTargetRegistration(HWND window, ComPtr<TreeDropTarget> target);
    DropTargetRegistration(const DropTargetRegistration&) = delete;
    DropTargetRegistration& operator=(const DropTargetRegistration&) = delete;
    DropTargetRegistration(DropTargetRegistration&& other) noexcept;
    DropTargetRegistration& operator=(DropTargetRegistration&& other) noexcept;
    ~DropTargetRegistration() { Revoke(); }

    explicit operator bool() const noexcept { return target_ != nullptr; }
    const ComPtr<TreeDropTarget>& Target() const noexcept { return target_; }
    void Revoke() noexcept;

private:
    HWND window_ = nullptr;
    ComPtr<TreeDropTarget> target_;
};

}  // namespace brackwell::win

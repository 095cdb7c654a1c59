#include "adapters/windows/controls/tree_drag_source.h"

#include <oleidl.h>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/controls/data_object.h"
#include "adapters/windows/controls/text_data_object.h"

namespace brackwell::win {
namespace {

constexpr std::int32_t kCopyAndMove = DROPEFFECT_COPY | DROPEFFECT_MOVE;

class DropSource final : public ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    // Escape or a second button cancels; letting go of the left button drops.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape || (keys & (MK_RBUTTON | MK_MBUTTON))) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

DWORD RunTreeDrag(const shared::SinkList<TreeEvents>& events) {
    const ComPtr<TextDataObject> text = MakeComObject<TextDataObject>();
    std::int32_t allowed = kCopyAndMove;
    {
        WinDataObject data(text);
        try {
            events.Fire([&](TreeEvents& sink) { sink.OLEStartDrag(data, allowed); });
        } catch (...) {
            return DROPEFFECT_NONE;  // nothing crosses into the window procedure
        }
    }
    allowed &= kCopyAndMove;
    if (allowed == 0) return DROPEFFECT_NONE;

    const ComPtr<IDataObject> data = text.Query<IDataObject>();
    const ComPtr<DropSource> source = MakeComObject<DropSource>();
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(data.Get(), source.Get(), static_cast<DWORD>(allowed), &effect) != DRAGDROP_S_DROP) {
        return DROPEFFECT_NONE;
    }
    return effect;
}

}  // namespace brackwell::win

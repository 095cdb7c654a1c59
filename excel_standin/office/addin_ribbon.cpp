#include "excel_standin/office/addin_ribbon.h"

#include "adapters/windows/common/variant_convert.h"
#include "excel_standin/office/office_windows.h"
#include "excel_standin/office/ribbon_callbacks.h"

namespace brackwell::office {

AddInRibbon::AddInRibbon(win::ComPtr<IDispatch> callbacks, CustomUi ui, std::shared_ptr<OfficeWindows> windows)
    : callbacks_(std::move(callbacks)), ui_(std::move(ui)), windows_(windows) {}

void AddInRibbon::Load() {
    ribbonUi_ = MakeRibbonUi(weak_from_this());
    if (!ui_.onLoad.empty()) {
        InvokeRibbonCallback(callbacks_.Get(), ui_.onLoad,
                             {win::Variant::Object(ribbonUi_.Query<IDispatch>(IID_IDispatch))});
    }
}

void AddInRibbon::Detach() noexcept {
    callbacks_.Reset();
    ribbonUi_.Reset();
    pressed_.clear();
}

const RibbonControlSpec* AddInRibbon::Find(const std::wstring& id) const {
    for (const RibbonTabSpec& tab : ui_.tabs) {
        for (const RibbonGroupSpec& group : tab.groups) {
            for (const RibbonControlSpec& control : group.controls) {
                if (!control.id.empty() && control.id == id) return &control;
            }
        }
    }
    return nullptr;
}

win::ComPtr<IRibbonControl> AddInRibbon::ControlFor(HWND frame, const RibbonControlSpec& control) {
    const auto windows = windows_.lock();
    return MakeRibbonControl(control.id.empty() ? control.idMso : control.id, control.tag,
                             windows ? windows->WindowObjectOf(frame) : win::ComPtr<IDispatch>());
}

bool AddInRibbon::Pressed(HWND frame, const RibbonControlSpec& control) {
    if (control.kind != RibbonControlKind::ToggleButton) return false;
    auto& cache = pressed_[frame];
    if (const auto known = cache.find(control.id); known != cache.end()) return known->second;
    bool pressed = false;  // without getPressed, or when it fails: not pressed
    if (callbacks_ && !control.getPressed.empty()) {
        win::Variant result;
        const win::ComPtr<IRibbonControl> ribbonControl = ControlFor(frame, control);
        if (SUCCEEDED(InvokeRibbonCallback(callbacks_.Get(), control.getPressed,
                                           {win::Variant::Object(ribbonControl.Query<IDispatch>(IID_IDispatch))},
                                           &result))) {
            win::Variant flag;
            if (SUCCEEDED(win::ConvertVariant(result.Get(), VT_BOOL, flag))) pressed = V_BOOL(&flag.Get()) != 0;
        }
    }
    pressed_[frame][control.id] = pressed;  // the callback may have changed the caches
    return pressed;
}

void AddInRibbon::Click(HWND frame, const RibbonControlSpec& control) {
    if (!callbacks_ || !control.enabled || control.onAction.empty()) return;
    const win::ComPtr<IRibbonControl> ribbonControl = ControlFor(frame, control);
    std::vector<win::Variant> args{win::Variant::Object(ribbonControl.Query<IDispatch>(IID_IDispatch))};
    if (control.kind == RibbonControlKind::ToggleButton) {
        const bool pressed = !Pressed(frame, control);
        pressed_[frame][control.id] = pressed;  // the window's toggle changes as it is clicked
        args.push_back(PressedArgument(pressed));
    }
    win::ComPtr<IDispatch> keep = callbacks_;  // the callback may unload the add-in
    InvokeRibbonCallback(keep.Get(), control.onAction, args);
    if (const auto windows = windows_.lock()) windows->RibbonChanged();
}

void AddInRibbon::InvalidateAll() {
    pressed_.clear();
    if (const auto windows = windows_.lock()) windows->RibbonChanged();
}

void AddInRibbon::InvalidateControl(const std::wstring& id) {
    for (auto& [frame, cache] : pressed_) cache.erase(id);
    if (const auto windows = windows_.lock()) windows->RibbonChanged();
}

}  // namespace brackwell::office

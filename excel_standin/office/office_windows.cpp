#include "excel_standin/office/office_windows.h"

#include <algorithm>

#include "adapters/windows/automation/late_bound.h"
#include "adapters/windows/common/variant_convert.h"
#include "host/automation_error.h"

namespace brackwell::office {
namespace {

HWND HandleOf(const win::Variant& value) {
    // Excel's Hwnd is a Long: a handle's 32 bits, sign-extended back.
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(win::ToInt32(value.Get())));
}

}  // namespace

OfficeWindows::OfficeWindows(win::ComPtr<IDispatch> application) : application_(std::move(application)) {}

void OfficeWindows::AddFrame(HWND frame, HWND taskPaneArea, std::function<void()> ribbonChanged) {
    if (Has(frame)) return;
    frames_.push_back({frame, taskPaneArea, std::move(ribbonChanged)});
}

void OfficeWindows::RemoveFrame(HWND frame) {
    if (!Has(frame)) return;
    std::erase_if(frames_, [&](const Frame& f) { return f.window == frame; });
    for (const auto& listener : removedListeners_) listener(frame);
}

std::vector<HWND> OfficeWindows::Frames() const {
    std::vector<HWND> windows;
    for (const Frame& f : frames_) windows.push_back(f.window);
    return windows;
}

bool OfficeWindows::Has(HWND frame) const {
    return std::any_of(frames_.begin(), frames_.end(), [&](const Frame& f) { return f.window == frame; });
}

HWND OfficeWindows::TaskPaneAreaOf(HWND frame) const {
    for (const Frame& f : frames_) {
        if (f.window == frame) return f.area;
    }
    return nullptr;
}

HWND OfficeWindows::FrameOf(IDispatch* window) {
    const win::LateBound app(application_, registry_);
    try {
        if (window) return HandleOf(win::LateBound(win::ComPtr<IDispatch>(window), registry_).Get(L"Hwnd"));
    } catch (const AutomationError&) {
        // Before Excel 2013 a Window has no Hwnd: the one main window shows them all.
    }
    try {
        return HandleOf(app.Get(L"Hwnd"));
    } catch (const AutomationError&) {
        return nullptr;
    }
}

win::ComPtr<IDispatch> OfficeWindows::WindowObjectOf(HWND frame) {
    const win::LateBound app(application_, registry_);
    try {
        const win::LateBound windows = app.GetChild(L"Windows");
        const std::int32_t count = win::ToInt32(windows.Get(L"Count").Get());
        for (std::int32_t i = 1; i <= count; ++i) {
            const win::LateBound window = windows.GetChild(L"Item", win::Variant::Int32(i));
            if (HandleOf(window.Get(L"Hwnd")) == frame) return win::ComPtr<IDispatch>(window.Dispatch());
        }
        return {};
    } catch (const AutomationError& e) {
        if (e.Number() != err::kNotSupported) return {};
    }
    try {
        return win::ComPtr<IDispatch>(app.GetChild(L"ActiveWindow").Dispatch());
    } catch (const AutomationError&) {
        return {};
    }
}

void OfficeWindows::RibbonChanged() {
    const std::vector<Frame> frames = frames_;  // a view may close its window meanwhile
    for (const Frame& f : frames) {
        if (f.ribbonChanged && Has(f.window)) f.ribbonChanged();
    }
}

void OfficeWindows::OnFrameRemoved(std::function<void(HWND)> listener) {
    removedListeners_.push_back(std::move(listener));
}

}  // namespace brackwell::office

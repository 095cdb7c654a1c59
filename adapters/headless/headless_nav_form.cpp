#include "adapters/headless/headless_nav_form.h"

#include "host/forms.h"

namespace brackwell::headless {

HeadlessNavForm::HeadlessNavForm(HeadlessWindowSystem& windows, const ToolbarDesign& bar, FormEvents& events)
    : windows_(windows),
      events_(events),
      tree_(std::make_shared<HeadlessTree>()),
      bar_(std::make_shared<HeadlessToolbar>(bar)),
      alive_(std::make_shared<const bool>(true)) {
    hwnd_ = windows_.NewWindow(kWindowClass, "", 0, 0, 0, kInitialWidth, kInitialHeight);
    windows_.SetSizeChangedCallback(hwnd_, [this] { events_.Form_Resize(); });
    // The tree is drawn inside the form's window: a lock on the form (or a
    // window above it) holds its painting back until the lock is lifted.
    HeadlessWindowSystem* system = &windows_;
    const WindowHandle hwnd = hwnd_;
    tree_->SetPaintGate([system, hwnd] { return system->IsPaintFrozen(hwnd); });
    windows_.SetUnfrozenCallback(hwnd_, [tree = std::weak_ptr<HeadlessTree>(tree_)] {
        if (const auto live = tree.lock()) live->WindowUnfrozen();
    });
}

HeadlessNavForm::~HeadlessNavForm() {
    // The tree may outlive the form in a caller's hands; it must not ask a
    // window system that may be gone by then.
    tree_->SetPaintGate(nullptr);
    windows_.DestroyWindow(hwnd_);
    if (onDestroyed_) onDestroyed_();
}

std::int32_t HeadlessNavForm::Height() {
    const WindowRect rect = windows_.RectInParent(hwnd_);
    return rect.bottom - rect.top;
}

void HeadlessNavForm::SetHeight(std::int32_t height) {
    const WindowRect rect = windows_.RectInParent(hwnd_);
    windows_.MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, height, true);
}

std::int32_t HeadlessNavForm::ScaleWidth() { return windows_.ClientRectOf(hwnd_).right * kTwipsPerPixel; }

std::int32_t HeadlessNavForm::ScaleHeight() { return windows_.ClientRectOf(hwnd_).bottom * kTwipsPerPixel; }

void HeadlessNavForm::Show() {
    if (!windows_.SetVisible(hwnd_, true)) return;
    if (shownOnce_) return;
    shownOnce_ = true;
    events_.Form_Resize();
}

void HeadlessNavForm::Hide() { windows_.SetVisible(hwnd_, false); }

void HeadlessNavForm::ZOrder(std::int32_t position) {
    if (position == 0) {
        windows_.BringToFront(hwnd_);
    } else {
        windows_.SendToBack(hwnd_);
    }
}

bool HeadlessNavForm::Visible() const { return windows_.IsVisible(hwnd_); }

void HeadlessNavForm::CloseFromOutside() {
    if (Closed()) return;
    const std::weak_ptr<const bool> alive = alive_;
    events_.Form_Unload();
    if (alive.expired()) return;  // the handler destroyed the form, and its window with it
    windows_.DestroyWindow(hwnd_);
}

}  // namespace brackwell::headless

#pragma once
// The pane form's window without a screen: a window of class ThunderFormDC
// in the headless window system, holding a headless toolbar (drawn from the
// design passed in) above a headless tree. Size changes run Form_Resize, as
// they do for a VB form; a test can also close the window from outside.
//
// The window system must outlive the form.

#include <cstdint>
#include <functional>
#include <memory>

#include "adapters/headless/headless_toolbar.h"
#include "adapters/headless/headless_tree.h"
#include "adapters/headless/headless_window_system.h"
#include "host/forms.h"

namespace brackwell::headless {

class HeadlessNavForm final : public NavFormWindow {
public:
    static constexpr const char* kWindowClass = "ThunderFormDC";
    static constexpr std::int32_t kInitialWidth = 240;   // pixels
    static constexpr std::int32_t kInitialHeight = 480;

    HeadlessNavForm(HeadlessWindowSystem& windows, const ToolbarDesign& bar, FormEvents& events);
    ~HeadlessNavForm() override;  // destroys the window; no event runs
    HeadlessNavForm(const HeadlessNavForm&) = delete;
    HeadlessNavForm& operator=(const HeadlessNavForm&) = delete;

    // FormWindow
    WindowHandle Hwnd() override { return hwnd_; }
    std::int32_t Height() override;
    void SetHeight(std::int32_t height) override;
    std::int32_t ScaleWidth() override;
    std::int32_t ScaleHeight() override;
    // The first showing runs Form_Resize, as a VB form resizes when first displayed.
    void Show() override;
    void Hide() override;
    void ZOrder(std::int32_t position) override;  // 0 in front of its siblings, 1 behind them

    // NavFormWindow
    std::shared_ptr<TreeView> Tree() override { return tree_; }
    std::shared_ptr<Toolbar> Bar() override { return bar_; }

    // Scripting and inspection.
    HeadlessTree& TreeControl() { return *tree_; }
    HeadlessToolbar& BarControl() { return *bar_; }
    bool Visible() const;
    bool Closed() const { return !windows_.Exists(hwnd_); }
    // The user or the host closes the window: Form_Unload runs, then the
    // window is gone (if the handler has not destroyed the form already).
    void CloseFromOutside();
    // Called once from the destructor (the platform forgets its current form).
    void SetOnDestroyed(std::function<void()> callback) { onDestroyed_ = std::move(callback); }

private:
    HeadlessWindowSystem& windows_;
    FormEvents& events_;
    std::shared_ptr<HeadlessTree> tree_;
    std::shared_ptr<HeadlessToolbar> bar_;
    WindowHandle hwnd_ = 0;
    bool shownOnce_ = false;
    std::shared_ptr<const bool> alive_;
    std::function<void()> onDestroyed_;
};

}  // namespace brackwell::headless

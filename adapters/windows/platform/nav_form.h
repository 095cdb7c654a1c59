#pragma once
// The pane form's window on Win32: a hidden pop-up until shown, made a child
// of the host's dock by WindowSystem::SetParent, with the toolbar clbMain
// across its top and the tree mTree below (the form's Form_Resize places
// the tree). Its height is in pixels of a 96-dpi screen and its inner size in
// twips, as the form's own units; the window's DPI (dpi.h) turns both into
// the screen's pixels.

#include <windows.h>

#include <memory>

#include "adapters/windows/controls/toolbar.h"
#include "adapters/windows/controls/tree_view.h"
#include "host/forms.h"

namespace brackwell::win {

class WinNavForm final : public NavFormWindow {
public:
    // Creates the window with its toolbar (drawn from `bar`) and tree,
    // hidden. `events` hears of every size change after the creation and of
    // the window being closed from outside.
    WinNavForm(HINSTANCE instance, const ToolbarDesign& bar, FormEvents& events);
    ~WinNavForm() override;  // destroys the window and with it the controls' windows
    WinNavForm(const WinNavForm&) = delete;
    WinNavForm& operator=(const WinNavForm&) = delete;

    WindowHandle Hwnd() override;  // 0 once the window was closed
    std::int32_t Height() override;
    void SetHeight(std::int32_t height) override;
    std::int32_t ScaleWidth() override;
    std::int32_t ScaleHeight() override;
    void Show() override;  // the first Show runs Form_Resize unless a size change did
    void Hide() override;
    void ZOrder(std::int32_t position) override;  // 0 top of its siblings, otherwise bottom
    std::shared_ptr<TreeView> Tree() override { return tree_; }
    std::shared_ptr<Toolbar> Bar() override { return bar_; }

    const std::shared_ptr<WinTreeView>& WinTree() const { return tree_; }
    const std::shared_ptr<WinToolbar>& WinBar() const { return bar_; }

    // Window procedure (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() { hwnd_ = nullptr; }

private:
    void OnDpiChanged(int dpi);  // the bar and the tree laid out again for `dpi`

    FormEvents& events_;
    HWND hwnd_ = nullptr;
    bool created_ = false;       // sizes during the creation are not reported
    bool sizeReported_ = false;  // Show reports the size once if nothing did before
    std::shared_ptr<WinToolbar> bar_;
    std::shared_ptr<WinTreeView> tree_;
};

}  // namespace brackwell::win

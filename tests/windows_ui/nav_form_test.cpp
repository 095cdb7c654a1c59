// The pane form's window and the window functions it is docked with, on real
// windows. (Where the docked form lies, the tree its Form_Resize places, its
// end with the pane, finding windows by class and title, and the platform
// bundle reading its settings from the registry are proven with the docked
// pane and through the real DLL.)

#include <gtest/gtest.h>

#include <string>

#include "adapters/windows/platform/nav_form.h"
#include "adapters/windows/ui/win_window_system.h"
#include "pane/nav_bar_design.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

class FormRecorder final : public FormEvents {
public:
    void Form_Resize() override {
        ++resizes;
        if (!form) return;
        lastScaleWidth = form->ScaleWidth();
        lastScaleHeight = form->ScaleHeight();
    }
    void Form_Unload() override { ++unloads; }

    NavFormWindow* form = nullptr;
    int resizes = 0;
    int unloads = 0;
    std::int32_t lastScaleWidth = 0;
    std::int32_t lastScaleHeight = 0;
};

class WinNavFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<WinNavForm>(test::Instance(), NavBarDesign(), events_);
        events_.form = form_.get();
    }
    HWND Form() const { return reinterpret_cast<HWND>(form_->Hwnd()); }

    FormRecorder events_;
    std::unique_ptr<WinNavForm> form_;
};

TEST_F(WinNavFormTest, StartsAsAHiddenPopupAndReportsEverySizeFromTheFirstShowOn) {
    ASSERT_NE(Form(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(Form()));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Form(), GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_CLIPCHILDREN), static_cast<DWORD>(WS_POPUP | WS_CLIPCHILDREN));
    EXPECT_EQ(::GetParent(form_->WinBar()->Handle()), Form());
    EXPECT_EQ(::GetParent(form_->WinTree()->FrameHandle()), Form());
    EXPECT_EQ(events_.resizes, 0);  // the creation's own sizes are not reported

    form_->Show();
    EXPECT_TRUE(::IsWindowVisible(Form()));
    EXPECT_EQ(events_.resizes, 1);  // the tree is placed even though the size never changed
    EXPECT_EQ(events_.lastScaleWidth, 215 * 15);
    form_->Show();
    EXPECT_EQ(events_.resizes, 1);

    form_->SetHeight(300);
    EXPECT_EQ(form_->Height(), 300);
    EXPECT_EQ(events_.lastScaleHeight, 300 * 15);  // no frame: inner and outer agree

    // The bar spans the form's top edge whatever its width.
    ::SetWindowPos(Form(), nullptr, 0, 0, 260, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT bar{};
    ::GetWindowRect(form_->WinBar()->Handle(), &bar);
    ::MapWindowPoints(nullptr, Form(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, 260);
    EXPECT_EQ(bar.bottom, 28);
    EXPECT_EQ(events_.lastScaleWidth, 260 * 15);
}

TEST_F(WinNavFormTest, ClosingFromOutsideUnloadsTheFormAndTheControlsOutliveTheirWindows) {
    ::SendMessageW(Form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events_.unloads, 1);
    EXPECT_EQ(form_->Hwnd(), 0);
    EXPECT_EQ(form_->Height(), 0);
    form_->Tree()->Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
    EXPECT_EQ(form_->Tree()->Nodes().Count(), 1);
    form_->Bar()->SetButtonEnabled("mnuOpen", false);
    EXPECT_FALSE(form_->Bar()->ButtonEnabled("mnuOpen"));
}

TEST_F(WinNavFormTest, DockingMakesThePopupAChildOrderedLikeTheHostsWindows) {
    WinWindowSystem windows;
    const HWND dock = test::SharedHostWindow();
    const auto dockHandle = reinterpret_cast<WindowHandle>(dock);

    windows.SetParent(form_->Hwnd(), dockHandle);

    EXPECT_EQ(::GetParent(Form()), dock);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Form(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_POPUP), static_cast<DWORD>(WS_CHILD));

    // ZOrder 0 puts it in front of a sibling that came later.
    WindowHandleOwner sibling(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, dock, nullptr,
                                                test::Instance(), nullptr));
    ::SetWindowPos(sibling.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(::GetWindow(dock, GW_CHILD), sibling.Get());
    form_->ZOrder(0);
    EXPECT_EQ(::GetWindow(dock, GW_CHILD), Form());

    // Back on the desktop it is a pop-up again; a window that is gone has no parent to change.
    windows.SetParent(form_->Hwnd(), 0);
    EXPECT_TRUE(::GetWindowLongPtrW(Form(), GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(windows.SetParent(0, dockHandle), 0);
    EXPECT_EQ(windows.GetWindowRect(0).right, 0);
}

TEST_F(WinNavFormTest, TabLeadsFromTheTreeToTheBarAndShiftTabBack) {
    form_->Show();
    const HWND tree = form_->WinTree()->Handle();
    const HWND bar = form_->WinBar()->Handle();
    ::SetFocus(tree);
    ASSERT_EQ(::GetFocus(), tree);

    test::PostKey(tree, VK_TAB);
    test::PumpFor(std::chrono::milliseconds(20));
    EXPECT_EQ(::GetFocus(), bar);
    EXPECT_EQ(form_->WinBar()->FocusedKey(), "mnuNew");

    test::HoldKey(VK_SHIFT, true);
    test::PostKey(bar, VK_TAB);  // before the first button: out of the bar
    test::PumpFor(std::chrono::milliseconds(20));
    test::HoldKey(VK_SHIFT, false);
    EXPECT_EQ(::GetFocus(), tree);
}

}  // namespace
}  // namespace brackwell::win

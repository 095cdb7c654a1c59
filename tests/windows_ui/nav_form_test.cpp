// The pane form's window, the window functions it is docked with, and the
// platform bundle, on real windows.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "adapters/windows/platform/nav_form.h"
#include "adapters/windows/platform/win_platform.h"
#include "adapters/windows/ui/win_window_system.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

// The form's own handling as the component does it: the tree fills the
// room below the bar. Records what it saw.
class FormRecorder final : public FormEvents {
public:
    void Form_Resize() override {
        ++resizes;
        if (!form) return;
        lastScaleWidth = form->ScaleWidth();
        lastScaleHeight = form->ScaleHeight();
        const std::int32_t h = form->Bar()->Height();
        form->Tree()->Move(50, h + 50, lastScaleWidth - 100, lastScaleHeight - (h + 100));
    }
    void Form_Unload() override { ++unloads; }

    NavFormWindow* form = nullptr;
    int resizes = 0;
    int unloads = 0;
    std::int32_t lastScaleWidth = 0;
    std::int32_t lastScaleHeight = 0;
};

ToolbarDesign SmallBar() {
    ToolbarDesign d;
    d.buttons = {{"mnuOpen", toolbar_style::kPlain, "", 6120, "", "", tooltip_icon::kNone, 25, true, {}}};
    return d;
}

RECT RectIn(HWND window, HWND parent) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class WinNavFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<WinNavForm>(test::Instance(), SmallBar(), events_);
        events_.form = form_.get();
    }
    HWND Form() const { return reinterpret_cast<HWND>(form_->Hwnd()); }

    FormRecorder events_;
    std::unique_ptr<WinNavForm> form_;
};

TEST_F(WinNavFormTest, StartsAsAHiddenPopupWithBarAndTree) {
    ASSERT_NE(Form(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(Form()));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Form(), GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_EQ(::GetParent(form_->WinBar()->Handle()), Form());
    EXPECT_EQ(::GetParent(form_->WinTree()->FrameHandle()), Form());
    EXPECT_EQ(form_->Bar()->Height(), 420);
    EXPECT_EQ(events_.resizes, 0);  // the creation's own sizes are not reported
}

TEST_F(WinNavFormTest, SetHeightResizesAndReportsTheNewInnerSize) {
    form_->SetHeight(300);

    EXPECT_EQ(form_->Height(), 300);
    EXPECT_GE(events_.resizes, 1);
    EXPECT_EQ(events_.lastScaleHeight, 300 * 15);  // no frame: inner and outer agree
    EXPECT_EQ(events_.lastScaleWidth, 215 * 15);
    // The handler placed the tree with its 50-twip margins below the bar:
    // left 50 and top 470 twips, 3125 x 3980 twips, whole pixels.
    const RECT tree = RectIn(form_->WinTree()->Handle(), Form());
    EXPECT_EQ(tree.left, 3);
    EXPECT_EQ(tree.top, 31);
    EXPECT_EQ(tree.right - tree.left, 208);
    EXPECT_EQ(tree.bottom - tree.top, 265);
}

TEST_F(WinNavFormTest, TheBarFollowsTheFormsWidth) {
    ::SetWindowPos(Form(), nullptr, 0, 0, 260, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT bar = RectIn(form_->WinBar()->Handle(), Form());
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, 260);
    EXPECT_EQ(bar.bottom, 28);
    EXPECT_EQ(events_.lastScaleWidth, 260 * 15);
}

TEST_F(WinNavFormTest, ShowMakesItVisibleAndReportsTheSizeOnce) {
    form_->Show();
    EXPECT_TRUE(::IsWindowVisible(Form()));
    EXPECT_EQ(events_.resizes, 1);  // the tree is placed even though the size never changed
    EXPECT_EQ(events_.lastScaleWidth, 215 * 15);
    form_->Show();
    EXPECT_EQ(events_.resizes, 1);
}

TEST_F(WinNavFormTest, ClosingFromOutsideUnloadsTheForm) {
    ::SendMessageW(Form(), WM_CLOSE, 0, 0);
    EXPECT_EQ(events_.unloads, 1);
    EXPECT_EQ(form_->Hwnd(), 0);
    EXPECT_EQ(form_->Height(), 0);
    // The controls outlive their windows without harm.
    form_->Tree()->Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1.xls", 1);
    EXPECT_EQ(form_->Tree()->Nodes().Count(), 1);
    form_->Bar()->SetButtonEnabled("mnuOpen", false);
    EXPECT_FALSE(form_->Bar()->ButtonEnabled("mnuOpen"));
}

TEST_F(WinNavFormTest, DestroyingTheFormDestroysItsWindows) {
    const HWND form = Form();
    const HWND tree = form_->WinTree()->Handle();
    const std::shared_ptr<TreeView> held = form_->Tree();  // as the navigator holds it
    form_.reset();
    EXPECT_FALSE(::IsWindow(form));
    EXPECT_FALSE(::IsWindow(tree));
    EXPECT_EQ(held->HitTest(10, 10), nullptr);
}

// ---- docking with the window functions ----

TEST_F(WinNavFormTest, DockingMakesThePopupAChildAndMovesItInsideTheDock) {
    WinWindowSystem windows;
    const HWND dock = test::SharedHostWindow();

    windows.SetParent(form_->Hwnd(), reinterpret_cast<WindowHandle>(dock));

    EXPECT_EQ(::GetParent(Form()), dock);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Form(), GWL_STYLE));
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_FALSE(style & WS_POPUP);

    EXPECT_TRUE(windows.MoveWindow(form_->Hwnd(), 1, 40, 215, 200, true));
    POINT origin{0, 0};
    ::ClientToScreen(dock, &origin);
    const WindowRect r = windows.GetWindowRect(form_->Hwnd());
    EXPECT_EQ(r.left, origin.x + 1);
    EXPECT_EQ(r.top, origin.y + 40);
    EXPECT_EQ(r.right - r.left, 215);
    EXPECT_EQ(r.bottom - r.top, 200);

    // Found again like the host's windows: by class, and by class and title.
    EXPECT_EQ(windows.FindChild(reinterpret_cast<WindowHandle>(dock), "BrackwellNavForm", std::nullopt),
              form_->Hwnd());
    EXPECT_EQ(windows.FindChild(reinterpret_cast<WindowHandle>(dock), "BrackwellNavForm", std::string("frmNav")),
              form_->Hwnd());
    EXPECT_EQ(windows.FindChild(reinterpret_cast<WindowHandle>(dock), "BrackwellNavForm", std::string("other")), 0);

    // Back on the desktop it is a pop-up again.
    windows.SetParent(form_->Hwnd(), 0);
    EXPECT_TRUE(::GetWindowLongPtrW(Form(), GWL_STYLE) & WS_POPUP);
}

TEST_F(WinNavFormTest, ZOrderZeroPutsTheFormInFrontOfItsSiblings) {
    WinWindowSystem windows;
    const HWND dock = test::SharedHostWindow();
    windows.SetParent(form_->Hwnd(), reinterpret_cast<WindowHandle>(dock));
    WindowHandleOwner sibling(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, dock, nullptr,
                                                test::Instance(), nullptr));
    ::SetWindowPos(sibling.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(::GetWindow(dock, GW_CHILD), sibling.Get());

    form_->ZOrder(0);

    EXPECT_EQ(::GetWindow(dock, GW_CHILD), Form());
}

TEST(WinWindowSystemTest, FailingCallsAnswerZeroOrEmpty) {
    WinWindowSystem windows;
    const WindowRect r = windows.GetWindowRect(0);
    EXPECT_EQ(r.right - r.left, 0);
    EXPECT_EQ(windows.SetParent(0, 0), 0);
    EXPECT_FALSE(windows.MoveWindow(0, 0, 0, 10, 10, false));
    EXPECT_EQ(windows.FindChild(reinterpret_cast<WindowHandle>(test::SharedHostWindow()), "NoSuchClass", std::nullopt),
              0);
}

TEST(WinWindowSystemTest, LockWindowUpdateFreezesAndUnfreezes) {
    WinWindowSystem windows;
    EXPECT_TRUE(windows.LockWindowUpdate(reinterpret_cast<WindowHandle>(test::SharedHostWindow())));
    EXPECT_TRUE(windows.LockWindowUpdate(0));
}

// ---- the platform bundle ----

class MapSettings final : public SettingsStore {
public:
    std::string GetSetting(const std::string&, const std::string&, const std::string& key,
                           const std::string& defaultValue) override {
        const auto found = values.find(key);
        return found == values.end() ? defaultValue : found->second;
    }
    void SaveSetting(const std::string&, const std::string&, const std::string& key, const std::string& value) override {
        values[key] = value;
    }
    std::map<std::string, std::string> values;
};

TEST(WinPlatformTest, HandsOutWorkingPartsAndTheGivenSettings) {
    MapSettings settings;
    WinPlatform platform(test::Instance(), settings);
    FormRecorder events;

    platform.Settings().SaveSetting("Brackwell", "Settings", "Theme", "Wahr");
    EXPECT_EQ(settings.values["Theme"], "Wahr");

    const auto menu = platform.CreatePopupMenu();
    menu->AddItem("Info", "", 6925, true);
    EXPECT_EQ(menu->ItemKey(1), "");

    const auto form = platform.CreateNavForm(SmallBar(), events);
    ASSERT_NE(form->Hwnd(), 0);
    EXPECT_TRUE(::IsWindow(reinterpret_cast<HWND>(form->Hwnd())));
    EXPECT_EQ(form->Bar()->Height(), 420);
}

TEST(WinPlatformTest, KeepsSettingsInTheRegistryByDefault) {
    WinPlatform platform(test::Instance());
    platform.Settings().SaveSetting("BrackwellTest", "Settings", "WBFore", "\xC3\x9C" "bersicht 8388608");
    WinPlatform other(test::Instance());
    EXPECT_EQ(other.Settings().GetSetting("BrackwellTest", "Settings", "WBFore", ""), "\xC3\x9C" "bersicht 8388608");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\BrackwellTest");
}

}  // namespace
}  // namespace brackwell::win

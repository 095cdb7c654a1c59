// The headless window functions behave as the pane relies on Win32's.

#include "adapters/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace brackwell {

// Found by argument-dependent look-up from the assertions.
bool operator==(const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
void PrintTo(const WindowRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace brackwell

namespace brackwell::headless {
namespace {

// A host main window at (100, 50) with two dock windows and a command bar.
struct HostWindows : ::testing::Test {
    HeadlessWindowSystem windows;
    WindowHandle main = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 100, 50, 1200, 800);
    WindowHandle dockTop = windows.NewWindow("EXCEL2", "", main, 0, 0, 1200, 60);
    WindowHandle dockLeft = windows.NewWindow("EXCEL2", "", main, 0, 60, 240, 700);
    WindowHandle bar = windows.NewWindow("MsoCommandBar", "BrackwellBar", dockLeft, 0, 0, 24, 700);
};

TEST_F(HostWindows, FindChildFindsTheFirstDirectChildOfTheClassAndTitleAndRectsAreOnTheScreen) {
    EXPECT_EQ(windows.FindChild(main, "excel2", std::nullopt), dockTop) << "first in sibling order, ignoring case";
    EXPECT_EQ(windows.FindChild(dockLeft, "MsoCommandBar", "BrackwellBar"), bar);
    EXPECT_EQ(windows.FindChild(dockLeft, "MsoCommandBar", "Standard"), 0);
    EXPECT_EQ(windows.FindChild(main, "MsoCommandBar", std::nullopt), 0) << "only direct children";
    EXPECT_EQ(windows.FindChild(0, "XLMAIN", std::nullopt), main) << "0 searches the top-level windows";

    EXPECT_EQ(windows.GetWindowRect(bar), (WindowRect{100, 110, 124, 810}));
    EXPECT_EQ(windows.RectInParent(bar), (WindowRect{0, 0, 24, 700}));
}

TEST_F(HostWindows, SetParentKeepsThePositionInTheNewParentAndMoveWindowReportsResizes) {
    const WindowHandle pane = windows.NewWindow("ThunderFormDC", "", 0, 5, 5, 215, 600);
    EXPECT_EQ(windows.SetParent(pane, dockLeft), HeadlessWindowSystem::kDesktop);
    EXPECT_EQ(windows.Children(dockLeft).front(), pane) << "in front of its new siblings";
    EXPECT_EQ(windows.GetWindowRect(pane), (WindowRect{105, 115, 320, 715}));
    EXPECT_EQ(windows.SetParent(main, bar), 0) << "a window cannot move under its own descendant";
    EXPECT_EQ(windows.Parent(bar), dockLeft);

    int resizes = 0;
    windows.SetSizeChangedCallback(pane, [&] { ++resizes; });
    EXPECT_TRUE(windows.MoveWindow(pane, 1, 40, 215, 657, true));
    EXPECT_EQ(windows.GetWindowRect(pane), (WindowRect{101, 150, 316, 807}));
    EXPECT_TRUE(windows.MoveWindow(pane, 2, 41, 215, 657, true));
    EXPECT_EQ(resizes, 1) << "moving without a new size is no resize";
    EXPECT_TRUE(windows.MoveWindow(pane, 2, 41, -5, 20, false));
    EXPECT_EQ(windows.ClientRectOf(pane), (WindowRect{0, 0, 0, 20}));
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(windows.SetParent(pane, 0), dockLeft);
    EXPECT_EQ(windows.GetWindowRect(pane), (WindowRect{2, 41, 2, 61}));
}

TEST_F(HostWindows, OneWindowIsLockedAtATimeAndDestroyingAWindowTakesItsChildrenAndItsLock) {
    EXPECT_TRUE(windows.LockWindowUpdate(dockLeft));
    EXPECT_FALSE(windows.LockWindowUpdate(main)) << "another window is locked";
    EXPECT_FALSE(windows.LockWindowUpdate(dockLeft)) << "even the same one";
    EXPECT_TRUE(windows.IsPaintFrozen(bar)) << "the lock covers the children";
    EXPECT_FALSE(windows.IsPaintFrozen(dockTop));
    // Unlocking lets the frozen windows paint, and only those.
    std::vector<WindowHandle> thawed;
    windows.SetUnfrozenCallback(bar, [&] { thawed.push_back(bar); });
    windows.SetUnfrozenCallback(dockTop, [&] { thawed.push_back(dockTop); });
    EXPECT_TRUE(windows.LockWindowUpdate(0));
    EXPECT_EQ(thawed, (std::vector<WindowHandle>{bar}));
    EXPECT_EQ(windows.LockCalls(), 3);
    EXPECT_EQ(windows.UnlockCalls(), 1);

    windows.LockWindowUpdate(bar);
    EXPECT_TRUE(windows.DestroyWindow(dockLeft));
    EXPECT_FALSE(windows.Exists(bar));
    EXPECT_EQ(windows.LockedWindow(), 0);
    EXPECT_EQ(windows.Children(main), (std::vector<WindowHandle>{dockTop}));
}

TEST_F(HostWindows, ZOrderAndVisibilityFollowTheSiblings) {
    windows.BringToFront(dockLeft);
    EXPECT_EQ(windows.Children(main), (std::vector<WindowHandle>{dockLeft, dockTop}));
    windows.SendToBack(dockLeft);
    EXPECT_EQ(windows.Children(main), (std::vector<WindowHandle>{dockTop, dockLeft}));
    windows.SetVisible(bar, true);
    EXPECT_TRUE(windows.IsVisible(bar));
    EXPECT_FALSE(windows.IsOnScreen(bar)) << "its parents are still hidden";
    windows.SetVisible(main, true);
    windows.SetVisible(dockLeft, true);
    EXPECT_TRUE(windows.IsOnScreen(bar));
}

}  // namespace
}  // namespace brackwell::headless

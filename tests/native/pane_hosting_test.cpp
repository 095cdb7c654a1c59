// The command bar and the pane docked into the host's dock window: created
// once, sized from the dock, re-fitted, removed, and quiet where it should be.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

class PaneHostingTest : public NavigatorTest {
protected:
    void SetUp() override { excel.CreateWorkbook("Mappe1", {"Tabelle1"}); }

    headless::HeadlessWindowSystem& Windows() { return platform.HeadlessWindows(); }
    WindowRect PaneRect() { return Windows().RectInParent(component.PaneHwnd); }
};

TEST_F(PaneHostingTest, CreatesTheCommandBarAsDesigned) {
    ShowPane();
    auto bar = excel.FindCommandBar("BrackwellBar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->position, 0);
    EXPECT_TRUE(bar->temporary);
    EXPECT_TRUE(bar->visible);
    ASSERT_EQ(bar->buttons.size(), 1u);
    const auto& button = bar->buttons[0];
    EXPECT_EQ(button.tooltip, "...Aktualisieren");
    EXPECT_EQ(button.onAction, "UpdateNav");
}

// Created twice, deleted twice, created again (without the theme) and
// destroyed: one bar at a time, one pane, no message.
TEST_F(PaneHostingTest, CreatingDeletingAndDestroyingAgainAndAgain) {
    CreateHostWindow();
    Attach();
    nav->SizeOn();  // before a pane: nothing
    nav->CreateNavBar();
    nav->CreateNavBar();
    EXPECT_EQ(excel.CommandBarsView().size(), 1u);
    EXPECT_EQ(platform.NavFormsCreated(), 1);
    EXPECT_EQ(Keys().size(), 2u);

    nav->DelNavBar();
    nav->DelNavBar();
    nav->SizeOn();
    EXPECT_FALSE(excel.FindCommandBar("BrackwellBar"));
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_EQ(component.NavForm, nullptr);

    component.settings.Theme = false;  // and a plain toolbar this time
    nav->CreateNavBar();
    EXPECT_EQ(excel.CommandBarsView().size(), 2u);  // the deleted one and the new one
    ASSERT_NE(platform.NavForm(), nullptr);
    EXPECT_EQ(Keys().size(), 2u);
    EXPECT_EQ(Bar().VisualStyle(), 2);

    nav.reset();
    EXPECT_FALSE(excel.FindCommandBar("BrackwellBar"));
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PaneHostingTest, DocksTheLoadedPaneBesideTheBar) {
    ShowPane(700);
    EXPECT_EQ(component.DockHwnd, dockWindow);
    EXPECT_EQ(Windows().Parent(component.PaneHwnd), dockWindow);
    const WindowRect r = PaneRect();
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 215);
    EXPECT_EQ(r.bottom - r.top, 657);
    EXPECT_TRUE(platform.NavForm()->Visible());

    EXPECT_EQ(platform.NavForm()->BarControl().VisualStyle(), 3);
    EXPECT_EQ(platform.NavForm()->BarControl().ButtonFont().face, "Verdana");
    EXPECT_EQ(platform.NavForm()->BarControl().MenuFont().size, 8);
    const auto& look = Tree().Properties();  // flat, never edited in place, selection shown, lines at the root
    EXPECT_EQ(std::to_string(look.appearance) + std::to_string(look.labelEdit) + std::to_string(look.hideSelection) +
                  std::to_string(look.lineStyle) + std::to_string(look.oleDragMode) + std::to_string(look.oleDropMode),
              "010111");

    // SizeOn re-fits it when the dock changed.
    Windows().MoveWindow(dockWindow, 0, 100, 240, 500, true);
    nav->SizeOn();
    EXPECT_EQ(PaneRect().bottom - PaneRect().top, 457);
    EXPECT_EQ(Windows().Children(dockWindow).front(), component.PaneHwnd);
    EXPECT_EQ(Windows().LockedWindow(), 0);
}

// Excel 2003's four docks, the top one first: the pane goes into the left
// one, which holds the bar.
TEST_F(PaneHostingTest, AmongExcelsFourDocksThePaneGoesIntoTheOneHoldingItsBar) {
    auto& windows = Windows();
    mainWindow = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 0, 0, 1200, 900);
    const WindowHandle top = windows.NewWindow("EXCEL2", "", mainWindow, 0, 0, 1200, 50);
    const WindowHandle left = windows.NewWindow("EXCEL2", "", mainWindow, 0, 50, 240, 800);
    windows.NewWindow("EXCEL2", "", mainWindow, 1190, 50, 10, 800);
    windows.NewWindow("EXCEL2", "", mainWindow, 0, 850, 1200, 50);
    windows.NewWindow("MsoCommandBar", "BrackwellBar", left, 0, 0, 240, 26);
    excel.SetHwnd(mainWindow);
    ASSERT_EQ(windows.FindChild(mainWindow, "EXCEL2", std::nullopt), top);
    Attach().CreateNavBar();
    EXPECT_EQ(component.DockHwnd, left);
    EXPECT_EQ(PaneRect().bottom - PaneRect().top, 800 - 43);
}

TEST_F(PaneHostingTest, KeepsTheTreesMarginsWhenTheFormChangesSize) {
    ShowPane(700);
    auto& form = *platform.NavForm();
    const auto check = [&] {
        const auto& b = Tree().Position();
        EXPECT_EQ(b.left, 50);
        EXPECT_EQ(b.top, 420 + 50);
        EXPECT_EQ(b.width, form.ScaleWidth() - 100);
        EXPECT_EQ(b.height, form.ScaleHeight() - 520);
    };
    check();
    Windows().MoveWindow(component.PaneHwnd, 1, 40, 300, 400, true);
    check();
    // Smaller than the margins: ignored, nothing reported.
    Windows().MoveWindow(component.PaneHwnd, 1, 40, 5, 5, true);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PaneHostingTest, WithoutADockWindowOnlyTheBarIsMadeQuietly) {
    Attach();  // the host has no window at all
    nav->CreateNavBar();
    EXPECT_TRUE(excel.FindCommandBar("BrackwellBar"));
    EXPECT_EQ(platform.NavFormsCreated(), 0);
    EXPECT_EQ(component.NavForm, nullptr);
    EXPECT_TRUE(Messages().empty());

    // Once the dock is there, the next call docks the pane and keeps the bar.
    CreateHostWindow();
    nav->CreateNavBar();
    EXPECT_EQ(platform.NavFormsCreated(), 1);
    EXPECT_EQ(excel.CommandBarsView().size(), 1u);
}

TEST_F(PaneHostingTest, TheBarsButtonRunsTheRefreshMacro) {
    ShowPane();
    excel.RegisterMacro("UpdateNav", [this] { nav->UpdateTree(); });
    excel.CreateWorkbook("Mappe2", {"Tabelle1"});  // silently: no event
    ASSERT_EQ(Keys().size(), 2u);
    EXPECT_TRUE(excel.PressCommandBarButton("BrackwellBar", 1));
    EXPECT_EQ(Keys().size(), 4u);
}

// The last failure is reported once, titled with its step; the steps after
// it still run: a failing window leaves the bar, a failing bar the pane.
TEST_F(PaneHostingTest, ReportsTheLastFailureOnceTitledWithItsStep) {
    CreateHostWindow();
    Attach();
    excel.FailAlways("Application.Hwnd", 1004, "Fenster nicht verfügbar");
    nav->CreateNavBar();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title + " (" + std::to_string(Messages()[0].style) + "): " + Messages()[0].prompt,
              "CreateNavBar 2 (0): Fenster nicht verfügbar");
    EXPECT_TRUE(excel.FindCommandBar("BrackwellBar"));
    EXPECT_EQ(platform.NavFormsCreated(), 0);

    excel.ClearFaults();
    nav->DelNavBar();
    excel.FailAlways("CommandBars.Add", 5, "Ungültiger Prozeduraufruf");
    nav->CreateNavBar();
    ASSERT_EQ(Messages().size(), 2u);
    // Every later bar step fails for want of a bar; the last of them is reported.
    EXPECT_EQ(Messages()[1].title, "CreateNavBar 14");
    ASSERT_NE(platform.NavForm(), nullptr);
    EXPECT_EQ(Keys().size(), 2u);
}

}  // namespace
}  // namespace brackwell::testing

// The demo's main window as the pane meets it: an "XLMAIN" window whose bar at
// the left edge is as the add-in made it, with the "EXCEL2" dock beside it
// where the pane's place leaves the bar uncovered.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "apps/demo/main_window.h"

namespace brackwell::demo {
namespace {

class RecordingOwner final : public MainWindowOwner {
public:
    std::vector<std::string> heard;
    WorkbookPicture picture;
    std::vector<ShownBar> bars;

    void OnMenuCommand(int command) override { heard.push_back("Menu " + std::to_string(command)); }
    void OnBarButton(const BarButton& button) override {
        heard.push_back("Bar " + button.bar + " " + std::to_string(button.index));
    }
    void OnTabClicked(const std::string& sheet) override { heard.push_back("Tab " + sheet); }
    void OnResized() override {}
    void OnClosing() override {}
    WorkbookPicture ReadWorkbook() override { return picture; }
    std::vector<ShownBar> ReadCommandBars() override { return bars; }
};

std::wstring Title(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

// Where a child lies in the main window's client area.
RECT PlaceIn(HWND main, HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.picture.workbook = "Umsatz 2026.xlsx";
        // BrackwellBar as the navigator makes it: face 5, picture style, no caption, 20 x 215.
        owner.bars = {ShownBar{"BrackwellBar", DockSide::Left,
                               {BarButton{"BrackwellBar", 1, L"", L"...Aktualisieren", 5, 7, 20, 215, true}}}};
        window = std::make_unique<MainWindow>(::GetModuleHandleW(nullptr), owner);
        ASSERT_NE(window->Window(), nullptr) << "no window: is there a display?";
        window->Show(SW_SHOWNOACTIVATE);
        window->Refresh();
        Pump();
    }

    RecordingOwner owner;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, ShowsTheBarAtTheLeftEdgeAsTheAddInMadeItAndTheDockBesideIt) {
    HWND main = window->Window();
    wchar_t className[32] = {};
    ::GetClassNameW(main, className, 32);
    EXPECT_STREQ(className, L"XLMAIN");
    EXPECT_EQ(Title(main), L"Brackwell Demo \u2013 Umsatz 2026.xlsx");

    // The bar: upright at the left edge, 20 wide, its one button 20 x 215.
    HWND leftDock = window->LeftBars().Window();
    HWND bar = ::FindWindowExW(leftDock, nullptr, L"MsoCommandBar", L"BrackwellBar");
    ASSERT_NE(bar, nullptr);
    const RECT barPlace = PlaceIn(main, bar);
    EXPECT_LE(barPlace.left, 1);
    EXPECT_EQ(barPlace.top, 1) << "no bar lies at the top";
    EXPECT_EQ(barPlace.right - barPlace.left, 20);
    EXPECT_EQ(barPlace.bottom - barPlace.top, 215);
    HWND button = ::FindWindowExW(bar, nullptr, L"Button", nullptr);
    ASSERT_NE(button, nullptr);

    // The dock beside the bar, and the pane's place in it (1, 40, 215 wide) clear of the bar.
    HWND dock = ::FindWindowExW(main, nullptr, L"EXCEL2", nullptr);
    ASSERT_EQ(dock, window->Dock());
    RECT client{};
    ::GetClientRect(main, &client);
    const RECT dockPlace = PlaceIn(main, dock);
    EXPECT_EQ(dockPlace.left, PlaceIn(main, leftDock).right);
    EXPECT_EQ(dockPlace.bottom, client.bottom);
    EXPECT_GE(dockPlace.right - dockPlace.left, 1 + 215);
    RECT pane{dockPlace.left + 1, dockPlace.top + 40, dockPlace.left + 1 + 215, dockPlace.bottom - 3};
    RECT overlap{};
    EXPECT_FALSE(::IntersectRect(&overlap, &pane, &barPlace));

    // Pressed, the button reaches the owner.
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Bar BrackwellBar 1"}));
}

}  // namespace
}  // namespace brackwell::demo

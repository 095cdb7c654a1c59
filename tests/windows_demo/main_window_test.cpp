// Excel 2003's main window as the published window table has it: "XLMAIN"
// with the four "EXCEL2" command-bar docks (top, left, right, bottom, met in
// that order), each bar of a side in its dock as the add-in made it, and the
// "XLDESK" desk between them.

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
                               {BarButton{"BrackwellBar", 1, L"", L"...Aktualisieren", 5, 7, 20, 215, true}}},
                      ShownBar{"Format", DockSide::Top, {BarButton{"Format", 1, L"F", L"Format", 0, 0, 23, 22, true}}},
                      ShownBar{"Zeichnen", DockSide::Bottom,
                               {BarButton{"Zeichnen", 1, L"Z", L"Zeichnen", 0, 0, 23, 22, true}}}};
        window = std::make_unique<MainWindow>(::GetModuleHandleW(nullptr), owner);
        ASSERT_NE(window->Window(), nullptr) << "no window: is there a display?";
        window->Show(SW_SHOWNOACTIVATE);
        window->Refresh();
        Pump();
    }

    RecordingOwner owner;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, FourDocksTopLeftRightBottomWithTheBarsOfTheirSideAndTheDeskBetween) {
    HWND main = window->Window();
    wchar_t className[32] = {};
    ::GetClassNameW(main, className, 32);
    EXPECT_STREQ(className, L"XLMAIN");
    EXPECT_EQ(Title(main), L"Brackwell Demo \u2013 Umsatz 2026.xlsx");

    // FindWindowEx meets the docks in the order Excel makes them.
    std::vector<HWND> docks;
    for (HWND dock = nullptr; (dock = ::FindWindowExW(main, dock, L"EXCEL2", nullptr)) != nullptr;) docks.push_back(dock);
    EXPECT_EQ(docks, (std::vector<HWND>{window->Bars(DockSide::Top).Window(), window->Bars(DockSide::Left).Window(),
                                        window->Bars(DockSide::Right).Window(),
                                        window->Bars(DockSide::Bottom).Window()}));

    // The bar added at the left stands upright in the left dock, its 20 x 215
    // button turned (215 across the dock), the dock around it.
    HWND leftDock = window->Bars(DockSide::Left).Window();
    HWND bar = ::FindWindowExW(leftDock, nullptr, L"MsoCommandBar", L"BrackwellBar");
    ASSERT_NE(bar, nullptr);
    const RECT barPlace = PlaceIn(main, bar);
    const RECT leftPlace = PlaceIn(main, leftDock);
    EXPECT_EQ(barPlace.right - barPlace.left, 215);
    EXPECT_EQ(barPlace.bottom - barPlace.top, 20);
    EXPECT_LE(leftPlace.left, barPlace.left);
    EXPECT_GE(leftPlace.right, barPlace.right);
    // The bar at the top lies in the top dock above, the one at the bottom below.
    const RECT topPlace = PlaceIn(main, window->Bars(DockSide::Top).Window());
    const RECT bottomPlace = PlaceIn(main, window->Bars(DockSide::Bottom).Window());
    EXPECT_NE(::FindWindowExW(window->Bars(DockSide::Top).Window(), nullptr, L"MsoCommandBar", L"Format"), nullptr);
    EXPECT_NE(::FindWindowExW(window->Bars(DockSide::Bottom).Window(), nullptr, L"MsoCommandBar", L"Zeichnen"), nullptr);
    EXPECT_EQ(topPlace.bottom - topPlace.top, 22 + 2);
    EXPECT_EQ(leftPlace.top, topPlace.bottom);
    EXPECT_EQ(leftPlace.bottom, bottomPlace.top);
    EXPECT_EQ(PlaceIn(main, window->Bars(DockSide::Right).Window()).right -
                  PlaceIn(main, window->Bars(DockSide::Right).Window()).left,
              0) << "a dock without bars takes no room";

    // The desk fills what the docks leave.
    HWND desk = ::FindWindowExW(main, nullptr, L"XLDESK", nullptr);
    ASSERT_EQ(desk, window->Desk());
    const RECT deskPlace = PlaceIn(main, desk);
    EXPECT_EQ(deskPlace.left, leftPlace.right);
    EXPECT_EQ(deskPlace.top, topPlace.bottom);
    EXPECT_EQ(deskPlace.bottom, bottomPlace.top);
    EXPECT_TRUE(::IsChild(desk, window->Workbook().Window()));

    // Pressed, the button reaches the owner.
    ::SendMessageW(::FindWindowExW(bar, nullptr, L"Button", nullptr), BM_CLICK, 0, 0);
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Bar BrackwellBar 1"}));
}

}  // namespace
}  // namespace brackwell::demo

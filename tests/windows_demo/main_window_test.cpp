// The demo's main window as the pane and the user meet it: an "XLMAIN" window
// whose bar at the left edge is drawn from what the add-in set, with the
// "EXCEL2" dock beside it where the pane's place leaves the bar uncovered;
// the selection and the sheet tabs of the workbook area; and a close that
// lets the owner finish first.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "apps/demo/main_window.h"
#include "apps/demo/menu_commands.h"
#include "tests/windows_demo/dib_canvas.h"

namespace brackwell::demo {
namespace {

class RecordingOwner final : public MainWindowOwner {
public:
    std::vector<std::string> heard;
    WorkbookPicture picture;
    std::vector<ShownBar> bars;
    HWND window = nullptr;
    bool aliveWhenClosing = false;

    void OnMenuCommand(int command) override { heard.push_back("Menu " + std::to_string(command)); }
    void OnBarButton(const BarButton& button) override {
        heard.push_back("Bar " + button.bar + " " + std::to_string(button.index));
    }
    void OnTabClicked(const std::string& sheet) override { heard.push_back("Tab " + sheet); }
    void OnResized() override {}
    void OnClosing() override {
        heard.push_back("Closing");
        aliveWhenClosing = ::IsWindow(window) != FALSE;
    }
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

// The tooltip that a tooltip window of this program gives `tool`, a button.
std::wstring TooltipOf(HWND tool) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = ::GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    for (HWND tip = ::FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
         tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        if (!::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) continue;
        wchar_t text[128] = {};
        info.lpszText = text;
        ::SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
        return text;
    }
    return {};
}

// How many pixels of `area` (client coordinates of `window`) are neither the
// button face colour nor its edges' grey and white: the picture drawn there.
int PicturePixels(HWND window, const RECT& area) {
    test::DibCanvas canvas(area.right - area.left, area.bottom - area.top);
    {
        win::WindowDc screen(window);
        ::BitBlt(canvas.Dc(), 0, 0, area.right - area.left, area.bottom - area.top, screen.Get(), area.left, area.top,
                 SRCCOPY);
    }
    std::vector<std::uint32_t> plain;
    for (int colour : {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW}) {
        plain.push_back(test::CanvasColour(::GetSysColor(colour)));
    }
    const std::vector<std::uint32_t> pixels = canvas.Pixels();
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [&](std::uint32_t pixel) {
        return std::find(plain.begin(), plain.end(), pixel) == plain.end();
    }));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.picture.workbook = "Umsatz 2026.xlsx";
        owner.picture.sheet = "Januar";
        owner.picture.selection = "$B$3:$D$8";
        for (const char* name : {"Übersicht", "Januar", "売上"}) owner.picture.tabs.emplace_back().name = name;
        owner.picture.tabs[1].active = true;
        owner.picture.tabs[2].isProtected = true;
        // BrackwellBar as the navigator makes it: face 5, picture style, no caption, 20 x 215.
        owner.bars = {ShownBar{"BrackwellBar", DockSide::Left,
                               {BarButton{"BrackwellBar", 1, L"", L"...Aktualisieren", 5, 7, 20, 215, true}}}};
        window = std::make_unique<MainWindow>(::GetModuleHandleW(nullptr), owner);
        ASSERT_NE(window->Window(), nullptr) << "no window: is there a display?";
        owner.window = window->Window();
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

    // The bar: upright at the left edge, 20 wide, its one button 20 x 215
    // without a caption, with its tooltip and the refresh picture at the top.
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
    EXPECT_EQ(Title(button), L"");
    EXPECT_EQ(TooltipOf(button), L"...Aktualisieren");
    ::UpdateWindow(main);
    EXPECT_GT(PicturePixels(button, RECT{2, 2, 18, 18}), 40) << "the face is drawn";
    EXPECT_EQ(PicturePixels(button, RECT{2, 40, 18, 200}), 0) << "and nothing below it";

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

TEST_F(MainWindowTest, TheWorkbookAreaMarksTheSelectionAndItsTabsReachTheOwner) {
    HWND main = window->Window();
    HWND view = ::FindWindowExW(main, nullptr, L"BrackwellDemoWorkbook", nullptr);
    ASSERT_NE(view, nullptr);
    // B3:D8 lies three cells wide and six high, right of the row headings
    // and one column in, under the column headings and two rows down.
    std::vector<RECT> marked = window->Workbook().SelectionRects();
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(marked[0].left, kRowHeadingWidth + kCellWidth);
    EXPECT_EQ(marked[0].top, kNameBoxRowHeight + kCellHeight + 2 * kCellHeight);
    EXPECT_EQ(marked[0].right - marked[0].left, 3 * kCellWidth);
    EXPECT_EQ(marked[0].bottom - marked[0].top, 6 * kCellHeight);
    // A Goto far down ("Summe", Januar!$B$40) scrolls its cell to the top row.
    owner.picture.selection = "$B$40";
    window->Refresh();
    marked = window->Workbook().SelectionRects();
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(marked[0].top, kNameBoxRowHeight + kCellHeight);

    // Across the tab strip from left to right: every tab once, in tab order.
    ::UpdateWindow(view);
    RECT client{};
    ::GetClientRect(view, &client);
    for (int x = 0; x < client.right; x += 4) {
        ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, client.bottom - kTabStripHeight / 2));
    }
    owner.heard.erase(std::unique(owner.heard.begin(), owner.heard.end()), owner.heard.end());
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));  // no tab
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Tab Übersicht", "Tab Januar", "Tab 売上"}));
}

TEST_F(MainWindowTest, MenuCommandsReachTheOwnerAndClosingLetsItFinishFirst) {
    HWND main = window->Window();
    // The menu greys out what needs a workbook once none is open.
    EXPECT_EQ(::GetMenuState(::GetMenu(main), kCommandClose, MF_BYCOMMAND) & MF_GRAYED, 0u);
    owner.picture = {};
    window->Refresh();
    EXPECT_EQ(Title(main), L"Brackwell Demo");
    EXPECT_NE(::GetMenuState(::GetMenu(main), kCommandClose, MF_BYCOMMAND) & MF_GRAYED, 0u);

    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(kCommandNew, 0), 0);
    ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(kCommandExit, 0), 0);  // closes through WM_CLOSE
    Pump();
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Menu " + std::to_string(kCommandNew), "Closing"}));
    EXPECT_TRUE(owner.aliveWhenClosing);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(window->Window(), nullptr);
}

}  // namespace
}  // namespace brackwell::demo

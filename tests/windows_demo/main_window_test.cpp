// The demo's main window as the pane and the user meet it: an "XLMAIN" window
// with its "EXCEL2" dock at the left edge, the command-bar area whose buttons
// reach the owner, sheet tabs that report the sheet clicked, and a close
// that lets the owner finish first.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "apps/demo/main_window.h"
#include "apps/demo/menu_commands.h"

namespace brackwell::demo {
namespace {

class RecordingOwner final : public MainWindowOwner {
public:
    std::vector<std::string> heard;
    WorkbookPicture picture;
    std::vector<BarButton> bars;
    HWND window = nullptr;
    RECT dockAtResize{};
    bool aliveWhenClosing = false;

    void OnMenuCommand(int command) override { heard.push_back("Menu " + std::to_string(command)); }
    void OnBarButton(const BarButton& button) override {
        heard.push_back("Bar " + button.bar + " " + std::to_string(button.index));
    }
    void OnTabClicked(const std::string& sheet) override { heard.push_back("Tab " + sheet); }
    void OnResized() override { ::GetClientRect(::FindWindowExW(window, nullptr, L"EXCEL2", nullptr), &dockAtResize); }
    void OnClosing() override {
        heard.push_back("Closing");
        aliveWhenClosing = ::IsWindow(window) != FALSE;
    }
    WorkbookPicture ReadWorkbook() override { return picture; }
    std::vector<BarButton> ReadCommandBars() override { return bars; }
};

std::wstring Title(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.picture.workbook = "Umsatz 2026.xlsx";
        owner.picture.sheet = "Januar";
        for (const char* name : {"Übersicht", "Januar", "売上"}) owner.picture.tabs.emplace_back().name = name;
        owner.picture.tabs[1].active = true;
        owner.picture.tabs[2].isProtected = true;
        owner.bars = {BarButton{"BrackwellBar", 1, L"Aktualisieren", L"...Aktualisieren", true}};
        window = std::make_unique<MainWindow>(::GetModuleHandleW(nullptr), owner);
        ASSERT_NE(window->Window(), nullptr) << "no window: is there a display?";
        owner.window = window->Window();
        window->Show(SW_SHOWNOACTIVATE);
        window->Refresh();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }

    RecordingOwner owner;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, IsTheHostWindowThePaneLooksForAndItsBarsAndTabsReachTheOwner) {
    HWND main = window->Window();
    wchar_t className[32] = {};
    ::GetClassNameW(main, className, 32);
    EXPECT_STREQ(className, L"XLMAIN");
    EXPECT_EQ(Title(main), L"Brackwell Demo \u2013 Umsatz 2026.xlsx");

    HWND dock = ::FindWindowExW(main, nullptr, L"EXCEL2", nullptr);
    ASSERT_EQ(dock, window->Dock());
    RECT client{}, r{};
    ::GetClientRect(main, &client);
    ::GetWindowRect(dock, &r);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, kCommandBarAreaHeight);
    EXPECT_EQ(r.right, kDockWidth);
    EXPECT_EQ(r.bottom, client.bottom);
    // A new size lays the dock out before the owner hears of it (and tells the pane).
    ::SetWindowPos(main, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetClientRect(main, &client);
    EXPECT_EQ(owner.dockAtResize.bottom, client.bottom - kCommandBarAreaHeight);

    HWND button = ::FindWindowExW(window->Bars().Window(), nullptr, L"Button", nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Title(button), L"Aktualisieren");
    ::SendMessageW(button, BM_CLICK, 0, 0);
    // Across the tab strip from left to right: every tab once, in tab order.
    HWND view = ::FindWindowExW(main, nullptr, L"BrackwellDemoWorkbook", nullptr);
    ASSERT_NE(view, nullptr);
    ::UpdateWindow(view);
    ::GetClientRect(view, &client);
    for (int x = 0; x < client.right; x += 4) {
        ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, client.bottom - kTabStripHeight / 2));
    }
    owner.heard.erase(std::unique(owner.heard.begin(), owner.heard.end()), owner.heard.end());
    ::SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));  // no tab
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Bar BrackwellBar 1", "Tab Übersicht", "Tab Januar", "Tab 売上"}));
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
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_EQ(owner.heard, (std::vector<std::string>{"Menu " + std::to_string(kCommandNew), "Closing"}));
    EXPECT_TRUE(owner.aliveWhenClosing);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(window->Window(), nullptr);
}

}  // namespace
}  // namespace brackwell::demo

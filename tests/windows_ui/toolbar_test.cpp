// The pane's toolbar drawn from its design: clicks on its buttons and
// drop-down menus, enabled states and tooltips, on a real window. (Where its
// buttons lie, the session through the DLL finds by clicking there.)

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/controls/toolbar.h"
#include "host/automation_error.h"
#include "pane/nav_bar_design.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;
using test::PostKey;

class RecordingBarSink final : public ToolbarEvents {
public:
    void ButtonClick(const std::string& key) override { events.push_back("button " + key); }
    void MenuItemClick(const std::string& key) override { events.push_back("item " + key); }
    std::vector<std::string> events;
};

// The titles the bar hands its tooltip, with their icons.
std::vector<std::pair<std::wstring, WPARAM>> tipTitles;

LRESULT CALLBACK RecordTitle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == TTM_SETTITLEW) tipTitles.emplace_back(reinterpret_cast<const wchar_t*>(lParam), wParam);
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

class WinToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar_ = std::make_unique<WinToolbar>(test::Instance(), test::SharedHostWindow(), NavBarDesign());
        connection_ = bar_->Advise(sink_);
    }

    void Click(POINT at) {
        // The release is queued before the press, as a user's would follow it.
        ::PostMessageW(bar_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(bar_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(bar_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        test::PumpFor(std::chrono::milliseconds(30));
    }

    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    std::unique_ptr<WinToolbar> bar_;
    RecordingBarSink sink_;
    std::unique_ptr<EventConnection> connection_;
};

// Clicks on the buttons, the main part of a drop-down one too, reach the
// commands through the DLL.
TEST_F(WinToolbarTest, ClicksBesideTheButtonsOrOnADisabledOneReportNothingAndUnknownKeysFail) {
    const RECT info = bar_->ButtonRect("mnuInfo");
    Click(POINT{info.left - 7, 14});    // the separator
    Click(POINT{info.right + 40, 14});  // the bare bar
    bar_->SetButtonEnabled("mnuTabDel", false);
    Click(Centre(bar_->ButtonRect("mnuTabDel")));
    bar_->SetButtonEnabled("mnuTabDel", true);
    Click(Centre(bar_->ButtonRect("mnuTabDel")));
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuTabDel"}));

    // An unknown key fails as in the control.
    for (const char* key : {"mnuNothing", "", "mnunew"}) {  // keys are case-sensitive
        try {
            bar_->SetButtonEnabled(key, false);
            ADD_FAILURE() << "no button '" << key << "'";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), err::kElementNotFound);
        }
        EXPECT_THROW(bar_->ButtonEnabled(key), AutomationError);
    }
}

TEST_F(WinToolbarTest, TheArrowOpensTheMenuInTheBarsLookAndOnlyAChosenItemIsReported) {
    bar_->SetMenuFontName("Verdana");
    const ToolbarLook look;
    for (const std::int32_t style : {3, 2}) {
        // Size 8 as the pane sets it; then one that no default font has.
        const double size = style == 3 ? 8 : 10;
        bar_->SetMenuFontSize(size);
        bar_->SetVisualStyle(style);
        test::MenuPicture shown;
        std::vector<bool> pictures;
        ModalAnswerer answerer(L"#32768", [&](HWND window) {
            auto menu = reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0));
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                MENUITEMINFOW item{};
                item.cbSize = sizeof(item);
                item.fMask = MIIM_BITMAP | MIIM_FTYPE;
                ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
                pictures.push_back(item.hbmpItem != nullptr && (item.fType & MFT_OWNERDRAW));
            }
            shown = test::PictureOfMenu(window, style == 3 ? L"barmenu_style3.bmp" : L"barmenu_style2.bmp");
            if (style == 3) return PostKey(window, VK_ESCAPE);
            PostKey(window, VK_DOWN);
            PostKey(window, VK_DOWN);
            PostKey(window, VK_RETURN);
        });
        Click(Centre(bar_->ArrowRect("mnuMapClose")));
        ASSERT_TRUE(answerer.Answered());
        ASSERT_EQ(shown.items.size(), 3u);
        EXPECT_EQ(pictures, (std::vector<bool>{false, true, true}));  // "closeAll" carries no picture

        const COLORREF back = style == 3 ? ToColorRef(look.menuBackColor) : ::GetSysColor(COLOR_MENU);
        const COLORREF hover = style == 3 ? ToColorRef(look.menuBackColorHover) : ::GetSysColor(COLOR_HIGHLIGHT);
        EXPECT_TRUE(shown.pixels.Shows(shown.items[0], hover)) << style;
        EXPECT_EQ(shown.pixels.At(shown.items[1].right - 2, shown.items[1].top + 2), back) << style;
        EXPECT_NEAR(test::CaptionInkWidth(shown.pixels, shown.items[1], back),
                    test::TextWidth(L"Verdana", size, L"... alle schlie\u00DFen (\u00C4nderungen speichern)"), 3)
            << "the menu font, style " << style;
    }
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"item closeAllSaveNo"}));  // dismissed first, then chosen
}

TEST_F(WinToolbarTest, TheKeyboardMarksClicksAndOpensTheMenusOfEnabledButtons) {
    using namespace std::chrono_literals;
    const auto press = [&](UINT key) {
        PostKey(bar_->Handle(), key);
        test::PumpFor(20ms);
    };
    bar_->SetButtonEnabled("mnuTabDel", false);
    ::SetFocus(bar_->Handle());
    EXPECT_EQ(bar_->FocusedKey(), "mnuNew");

    press(VK_RIGHT);
    press(VK_RETURN);
    EXPECT_EQ(bar_->FocusedKey(), "mnuOpen");
    press(VK_RIGHT);
    press(VK_RIGHT);
    press(VK_RIGHT);  // past the disabled button and the separator
    EXPECT_EQ(bar_->FocusedKey(), "mnuInfo");
    press(VK_SPACE);
    press(VK_RIGHT);  // round to the start
    EXPECT_EQ(bar_->FocusedKey(), "mnuNew");
    press(VK_LEFT);
    EXPECT_EQ(bar_->FocusedKey(), "mnuInfo");
    {
        ModalAnswerer answerer(L"#32768", [](HWND shown) {
            PostKey(shown, VK_DOWN);
            PostKey(shown, VK_DOWN);
            PostKey(shown, VK_RETURN);
        });
        press(VK_F4);
        EXPECT_TRUE(answerer.Answered());
    }
    press(VK_HOME);
    {
        ModalAnswerer answerer(L"#32768", [](HWND shown) { PostKey(shown, VK_ESCAPE); });
        // Alt+Down, as the system reports it: a system key with Alt held.
        ::PostMessageW(bar_->Handle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
        test::PumpFor(20ms);
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuOpen", "button mnuInfo", "item mnuLink"}));

    // The mark shows as the hovered look; it leaves a button that is disabled, and goes with the focus.
    bar_->SetButtonEnabled("mnuTabDel", true);
    press(VK_END);
    press(VK_LEFT);
    EXPECT_EQ(bar_->FocusedKey(), "mnuTabDel");
    const RECT marked = bar_->ButtonRect("mnuTabDel");
    EXPECT_EQ(test::ClientPixels(bar_->Handle()).At(marked.left + 1, marked.top + 1),
              static_cast<COLORREF>(ToolbarLook{}.buttonBackColorHover));
    bar_->SetButtonEnabled("mnuTabDel", false);
    EXPECT_EQ(bar_->FocusedKey(), "mnuInfo");
    ::SetFocus(test::SharedHostWindow());
    EXPECT_EQ(bar_->FocusedKey(), "");
    EXPECT_NE(test::ClientPixels(bar_->Handle()).At(marked.left + 1, marked.top + 1),
              static_cast<COLORREF>(ToolbarLook{}.buttonBackColorHover));
}

// What a screen reader finds: every button with its name, role, state and
// place; the default actions click as the mouse does, a drop-down's menu
// items included; once the bar has gone its objects answer as gone.
TEST_F(WinToolbarTest, ScreenReadersReadAndPressTheButtonsAndTheMenuItems) {
    using test::ChildId;
    {
        test::AccessibleEvents announced;
        bar_->SetButtonEnabled("mnuTabDel", false);
        ::SetFocus(bar_->Handle());
        test::PumpFor(std::chrono::milliseconds(20));
        std::erase_if(announced.seen, [&](const auto& e) {
            return std::get<1>(e) != bar_->Handle() || !std::get<2>(e);
        });
        EXPECT_EQ(announced.seen, (std::vector<std::tuple<DWORD, HWND, LONG>>{
                                      {EVENT_OBJECT_STATECHANGE, bar_->Handle(), 5},
                                      {EVENT_OBJECT_FOCUS, bar_->Handle(), 1}}));
    }
    const ComPtr<IAccessible> acc = test::AccessibleOf(bar_->Handle());
    ASSERT_TRUE(acc);
    long count = 0;
    acc->get_accChildCount(&count);
    std::vector<std::wstring> names;
    std::vector<long> roles, states;
    for (long id = 1; id <= count; ++id) {
        names.push_back(test::AccName(acc.Get(), id));
        roles.push_back(test::AccRole(acc.Get(), id));
        states.push_back(test::AccState(acc.Get(), id) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED));
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Neu", L"Arbeitsmappe: ... \u00F6ffnen (Mehrfachauswahl m\u00F6glich)",
                                                L"Arbeitsmappe: ... speichern", L"Arbeitsmappe: ...schlie\u00DFen",
                                                L"L\u00F6schen: ... ausgew\u00E4hltes Tabellenblatt l\u00F6schen!", L"",
                                                L"Info"}));
    EXPECT_EQ(roles, (std::vector<long>{ROLE_SYSTEM_BUTTONDROPDOWN, ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_PUSHBUTTON,
                                        ROLE_SYSTEM_BUTTONDROPDOWN, ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_SEPARATOR,
                                        ROLE_SYSTEM_BUTTONDROPDOWN}));
    EXPECT_EQ(states, (std::vector<long>{STATE_SYSTEM_FOCUSED, 0, 0, 0, STATE_SYSTEM_UNAVAILABLE, 0, 0}));
    RECT place{}, expected = bar_->ButtonRect("mnuTabDel");
    acc->accLocation(&place.left, &place.top, &place.right, &place.bottom, ChildId(5));
    ::MapWindowPoints(bar_->Handle(), nullptr, reinterpret_cast<POINT*>(&expected), 2);
    EXPECT_EQ(std::make_pair(place.left, place.top), std::make_pair(expected.left, expected.top));
    EXPECT_EQ(std::make_pair(place.right, place.bottom),
              std::make_pair(expected.right - expected.left, expected.bottom - expected.top));

    // The default actions are clicks; a disabled button's does nothing.
    EXPECT_NE(acc->accDoDefaultAction(ChildId(5)), S_OK);
    EXPECT_EQ(acc->accDoDefaultAction(ChildId(2)), S_OK);
    ComPtr<IDispatch> info;
    acc->get_accChild(ChildId(7), info.Receive());
    const ComPtr<IAccessible> menu = info.Query<IAccessible>();
    ASSERT_TRUE(menu);
    EXPECT_EQ(test::AccName(menu.Get(), 3), L"Einstellungen");
    EXPECT_EQ(menu->accDoDefaultAction(ChildId(3)), S_OK);
    test::PumpFor(std::chrono::milliseconds(30));
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuOpen", "item mnuOpt"}));

    EXPECT_EQ(test::AccName(acc.Get(), 8), L"(failed)");  // no such button
    bar_.reset();
    EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(menu->accDoDefaultAction(ChildId(3)), CO_E_OBJNOTCONNECTED);
}

TEST_F(WinToolbarTest, ADisabledButtonShowsItsPictureGreyed) {
    // The delete picture is red where enabled; the bar's own colours never are.
    const auto hasRed = [&] {
        const test::ClientPixels pixels(bar_->Handle());
        const RECT r = bar_->ButtonRect("mnuTabDel");
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = pixels.At(x, y);
                if (GetRValue(c) > std::max(GetGValue(c), GetBValue(c)) + 80) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(hasRed());
    bar_->SetButtonEnabled("mnuTabDel", false);
    EXPECT_FALSE(hasRed());
    bar_->SetButtonEnabled("mnuTabDel", true);
    EXPECT_TRUE(hasRed());
}

TEST_F(WinToolbarTest, TooltipsAreBalloonsWithTitleAndIcon) {
    HWND tip = bar_->TooltipHandle();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 4);  // the buttons with a tooltip

    // The title is seen on its way in: Wine's tooltip cannot be asked for it
    // (TTM_GETTITLE goes unanswered there).
    ::SetWindowSubclass(tip, RecordTitle, 1, 0);
    tipTitles.clear();

    // The tip of "mnuTabDel" (position 5) as the tooltip asks for it.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = 5;
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(bar_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ::RemoveWindowSubclass(tip, RecordTitle, 1);

    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, L"... ausgew\u00E4hltes Tabellenblatt l\u00F6schen!");
    EXPECT_EQ(tipTitles, (std::vector<std::pair<std::wstring, WPARAM>>{
                             {L"L\u00F6schen", static_cast<WPARAM>(tooltip_icon::kWarning)}}));
}

}  // namespace
}  // namespace brackwell::win

// The toolbar drawn from a design: layout, clicks on its buttons and drop-down
// menus, enabled states, fonts, tooltips and its two looks, on a real window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/windows/controls/toolbar.h"
#include "host/automation_error.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;
using test::PostKey;

// A bar with every kind of position the pane's bar has.
ToolbarDesign Design() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    ToolbarDesign d;
    d.buttons = {
        {"mnuNew", kDropDown, "Neu", 0, "", "", kNone, 44, true,
         {{"newMap", "Arbeitsmappe", 6800, true}, {"newTab", "Tabellenblatt", 6601, true}}},
        {"mnuOpen", kPlain, "", 6120, "Arbeitsmappe", "... \xC3\xB6" "ffnen", kNone, 25, true, {}},
        {"mnuSave", kPlain, "", 6122, "Arbeitsmappe", "... speichern", kInfo, 25, true, {}},
        {"mnuMapClose", kDropDown, "", 6953, "Arbeitsmappe", "...schlie\xC3\x9F" "en", kInfo, 38, true,
         {{"closeAll", "Alle Mappen schlie\xC3\x9F" "en (Nachfrage)", 0, false},
          {"closeAllSaveNo", "... alle schlie\xC3\x9F" "en (ohne speichern)", 6421, true}}},
        {"mnuTabDel", kPlain, "", 6404, "L\xC3\xB6schen", "... Tabellenblatt l\xC3\xB6schen!", kWarning, 25, true, {}},
        {"", kSeparator, "", 0, "", "", kNone, 15, true, {}},
        {"mnuInfo", kDropDown, "", 6925, "", "", kNone, 38, true, {{"mnuInfo", "Info", 6218, true}}},
    };
    return d;
}

class RecordingBarSink final : public ToolbarEvents {
public:
    void ButtonClick(const std::string& key) override { events.push_back("button " + key); }
    void MenuItemClick(const std::string& key) override { events.push_back("item " + key); }
    std::vector<std::string> events;
};

std::vector<std::wstring> titles;
std::wstring lastTitle;
WPARAM lastIcon = 99;

LRESULT CALLBACK RecordTitle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == TTM_SETTITLEW) {
        lastTitle = reinterpret_cast<const wchar_t*>(lParam);
        lastIcon = wParam;
        titles.push_back(lastTitle);
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

class WinToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar_ = std::make_unique<WinToolbar>(test::Instance(), test::SharedHostWindow(), Design());
        connection_ = bar_->Advise(sink_);
    }

    void Click(POINT at) {
        // The release is queued before the press, as a user's would follow it.
        ::PostMessageW(bar_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(bar_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        ::SendMessageW(bar_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        test::PumpUntil([] { return false; }, std::chrono::milliseconds(30));
    }

    static POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    COLORREF PixelAt(int x, int y) {
        ::RedrawWindow(bar_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        WindowDc dc(bar_->Handle());
        return ::GetPixel(dc.Get(), x, y);
    }

    std::unique_ptr<WinToolbar> bar_;
    RecordingBarSink sink_;
    std::unique_ptr<EventConnection> connection_;
};

TEST_F(WinToolbarTest, ButtonsLieLeftToRightWithTheirStoredWidths) {
    const char* keys[] = {"mnuNew", "mnuOpen", "mnuSave", "mnuMapClose", "mnuTabDel"};
    const int widths[] = {44, 25, 25, 38, 25};
    int right = bar_->ButtonRect("mnuNew").left;
    EXPECT_GT(right, 0);  // room for the band's gripper
    for (int i = 0; i < 5; ++i) {
        const RECT r = bar_->ButtonRect(keys[i]);
        EXPECT_EQ(r.left, right) << keys[i];
        EXPECT_EQ(r.right - r.left, widths[i]) << keys[i];
        right = r.right;
    }
    // The separator's 15 pixels lie between the delete and the info button.
    EXPECT_EQ(bar_->ButtonRect("mnuInfo").left, right + 15);
    EXPECT_EQ(bar_->ArrowRect("mnuInfo").right, bar_->ButtonRect("mnuInfo").right);
    EXPECT_EQ(bar_->ArrowRect("mnuOpen").right, 0);  // a plain button has no menu part
}

TEST_F(WinToolbarTest, HeightIsTheDesignsAndTheBarSpansItsParent) {
    EXPECT_EQ(bar_->Height(), 420);
    EXPECT_EQ(bar_->HeightPixels(), 28);
    RECT bar{}, parent{};
    ::GetClientRect(bar_->Handle(), &bar);
    ::GetClientRect(test::SharedHostWindow(), &parent);
    EXPECT_EQ(bar.bottom, 28);
    EXPECT_EQ(bar.right, parent.right);
}

TEST_F(WinToolbarTest, ClickingAButtonReportsItsKey) {
    Click(Centre(bar_->ButtonRect("mnuSave")));
    Click(Centre(bar_->ButtonRect("mnuTabDel")));
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuSave", "button mnuTabDel"}));
}

TEST_F(WinToolbarTest, TheMainPartOfADropDownButtonIsAButton) {
    const RECT r = bar_->ButtonRect("mnuNew");
    Click(POINT{r.left + 5, (r.top + r.bottom) / 2});
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuNew"}));
}

TEST_F(WinToolbarTest, ClicksBesideTheButtonsAndOnTheSeparatorReportNothing) {
    const RECT info = bar_->ButtonRect("mnuInfo");
    Click(POINT{info.left - 7, 14});  // the separator
    Click(POINT{info.right + 40, 14});
    EXPECT_TRUE(sink_.events.empty());
}

TEST_F(WinToolbarTest, ADisabledButtonReportsNoClick) {
    bar_->SetButtonEnabled("mnuTabDel", false);
    EXPECT_FALSE(bar_->ButtonEnabled("mnuTabDel"));
    Click(Centre(bar_->ButtonRect("mnuTabDel")));
    EXPECT_TRUE(sink_.events.empty());

    bar_->SetButtonEnabled("mnuTabDel", true);
    Click(Centre(bar_->ButtonRect("mnuTabDel")));
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"button mnuTabDel"}));
}

TEST_F(WinToolbarTest, AnUnknownKeyFailsAsInTheControl) {
    for (const char* key : {"mnuNothing", ""}) {
        try {
            bar_->SetButtonEnabled(key, false);
            ADD_FAILURE() << "no button '" << key << "'";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), err::kElementNotFound);
        }
    }
    EXPECT_THROW(bar_->ButtonEnabled("mnunew"), AutomationError);  // keys are case-sensitive
}

TEST_F(WinToolbarTest, TheArrowOpensTheMenuAndAChosenItemReportsItsKey) {
    int itemCount = 0;
    bool pictures[2] = {};
    ModalAnswerer answerer(L"#32768", [&](HWND shown) {
        auto menu = reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0));
        itemCount = ::GetMenuItemCount(menu);
        for (UINT i = 0; i < 2; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_BITMAP;
            ::GetMenuItemInfoW(menu, i, TRUE, &info);
            pictures[i] = info.hbmpItem != nullptr;
        }
        PostKey(shown, VK_DOWN);
        PostKey(shown, VK_DOWN);
        PostKey(shown, VK_RETURN);
    });

    Click(Centre(bar_->ArrowRect("mnuMapClose")));

    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(sink_.events, (std::vector<std::string>{"item closeAllSaveNo"}));
    EXPECT_EQ(itemCount, 2);
    EXPECT_FALSE(pictures[0]);  // "closeAll" carries no picture
    EXPECT_TRUE(pictures[1]);
}

TEST_F(WinToolbarTest, ADismissedMenuReportsNothing) {
    ModalAnswerer answerer(L"#32768", [](HWND shown) { PostKey(shown, VK_ESCAPE); });
    Click(Centre(bar_->ArrowRect("mnuNew")));
    EXPECT_TRUE(answerer.Answered());
    EXPECT_TRUE(sink_.events.empty());
}

TEST_F(WinToolbarTest, ButtonFontTakesFaceAndSize) {
    bar_->SetButtonFontName("Verdana");
    bar_->SetButtonFontSize(8);
    bar_->SetMenuFontName("Verdana");
    bar_->SetMenuFontSize(8);

    LOGFONTW font{};
    ASSERT_TRUE(::GetObjectW(bar_->ButtonFontHandle(), sizeof(font), &font));
    EXPECT_STREQ(font.lfFaceName, L"Verdana");
    WindowDc screen(nullptr);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 72));
    EXPECT_EQ(bar_->MenuFont().face, "Verdana");
    EXPECT_EQ(bar_->MenuFont().size, 8);
}

TEST_F(WinToolbarTest, TooltipsAreBalloonsWithTitleAndIcon) {
    HWND tip = bar_->TooltipHandle();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 4);  // the buttons with a tooltip

    // The title the bar hands the tooltip, seen on its way in: Wine's
    // tooltip cannot be asked for it (TTM_GETTITLE goes unanswered there).
    ::SetWindowSubclass(tip, RecordTitle, 1, 0);
    titles.clear();

    // The tip of "mnuTabDel" (position 5) as the tooltip asks for it.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = 5;
    info.hdr.code = TTN_GETDISPINFOW;
    ::SendMessageW(bar_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, L"... Tabellenblatt l\u00F6schen!");

    EXPECT_EQ(titles.size(), 1u);
    EXPECT_EQ(lastTitle, L"L\u00F6schen");
    EXPECT_EQ(lastIcon, static_cast<WPARAM>(tooltip_icon::kWarning));
    ::RemoveWindowSubclass(tip, RecordTitle, 1);
}

TEST_F(WinToolbarTest, VisualStyleThreeDrawsTheGradientAndTwoThePlainFace) {
    EXPECT_EQ(bar_->VisualStyle(), 3);
    const int x = bar_->ButtonRect("mnuInfo").right + 60;  // bare bar
    EXPECT_EQ(PixelAt(x, 0), RGB(0xDD, 0xEC, 0xFE));  // backColorFrom at the top edge

    bar_->SetVisualStyle(2);
    EXPECT_EQ(bar_->VisualStyle(), 2);
    EXPECT_EQ(PixelAt(x, 0), ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace brackwell::win

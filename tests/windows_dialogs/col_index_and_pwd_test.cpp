// The tab colour picker and the password dialog as real windows: laid out
// at their twip geometry, driven with clicks, typing and Escape from another
// thread, and read back as a user and the caller see them.

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/frm_col_index.h"
#include "dialogs/frm_pwd.h"
#include "tests/windows_dialogs/dialog_test_support.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kDialogClass[] = L"BrackwellDialog";

std::vector<int> Framed(HWND const (&boxes)[57]) {
    std::vector<int> framed;
    for (int k = 1; k <= 56; ++k)
        if (::GetWindowLongPtrW(boxes[k], GWL_STYLE) & WS_BORDER) framed.push_back(k);
    return framed;
}

// How far in from a box's left edge, halfway down, its frame reaches (the
// pixels unlike its colour), and whether that frame holds a dark pixel and a
// light one.
std::pair<int, bool> FrameOf(HWND box) {
    const ClientPixels pixels(box, WindowDc::Area::Whole);
    RECT r{};
    ::GetWindowRect(box, &r);
    const int y = (r.bottom - r.top) / 2;
    const COLORREF fill = pixels.At((r.right - r.left) / 2, y);
    int width = 0;
    bool dark = false, light = false;
    for (COLORREF c = pixels.At(0, y); c != fill && width < (r.right - r.left) / 2; c = pixels.At(++width, y)) {
        const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
        dark = dark || sum < 3 * 64;
        light = light || sum > 3 * 192;
    }
    return {width, dark && light};
}

TEST(ColIndexDialog, MarksTheClickedBoxAndHandsTheLastOneToTheCaller) {
    DialogScene scene;
    HWND host = SharedHostWindow();
    for (std::string way : {"OK", "Keine", "Escape"}) {
        FrmColIndex picker(scene.component);
        picker.Load();
        picker.SetCaption("Übersicht");
        picker.Tag = "16";
        picker.picCol(16).SetBorderStyle(1);  // a grey
        WinDialogWindow& window = WindowOf(picker);
        HWND dialog = window.Handle(), bar = window.WinBar()->Handle(), boxes[57] = {};
        for (int k = 1; k <= 56; ++k) boxes[k] = window.ControlHandle("picCol", k);
        const RECT ok = window.WinBar()->ButtonRect("mnuOk"), none = window.WinBar()->ButtonRect("mnuRetour");

        std::wstring caption;
        RECT client{}, frame{};
        std::vector<int> atOpening, afterClicks;
        std::pair<int, bool> markedGrey, otherGrey;
        bool placed = false, hostDisabled = false, okEnabled = true, openAfterEarlyOk = false;
        {
            DialogUserThread user([&](DialogUserThread& u) {
                if (!u.WaitForWindow(kDialogClass)) return;
                caption = TextOf(dialog);
                ::GetClientRect(dialog, &client);
                ::GetWindowRect(dialog, &frame);
                placed = At(boxes[1], 75, 600, 315, 240) && At(boxes[56], 75 + 7 * 375, 600 + 6 * 300, 315, 240);
                atOpening = Framed(boxes);
                hostDisabled = !::IsWindowEnabled(host);
                u.OnUi([&] { okEnabled = picker.clbMain()->ButtonEnabled("mnuOk"); });
                u.OnUi([&] {
                    markedGrey = FrameOf(boxes[16]);
                    otherGrey = FrameOf(boxes[48]);
                    if (way == "OK") WritePicture(dialog, L"frmColIndex.bmp");
                });
                u.Click(bar, Centre(ok));  // disabled: nothing happens
                u.Click(boxes[12]);
                u.Click(boxes[3]);
                u.Settle();
                openAfterEarlyOk = ::IsWindowVisible(dialog);
                afterClicks = Framed(boxes);
                if (way == "OK") u.Click(bar, Centre(ok));
                if (way == "Keine") u.Click(bar, Centre(none));
                if (way == "Escape") u.Key(boxes[3], VK_ESCAPE);
                u.WaitUntilGone(dialog);
            });
            picker.ShowModal();
            EXPECT_FALSE(user.TimedOut()) << way;
        }
        EXPECT_EQ(caption, L"Übersicht");
        EXPECT_EQ(client.right, Px(3195));
        EXPECT_EQ(client.bottom, Px(2835));
        EXPECT_NEAR((frame.left + frame.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred on the screen";
        EXPECT_NEAR((frame.top + frame.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        EXPECT_TRUE(placed);
        EXPECT_EQ(atOpening, std::vector<int>{16});
        EXPECT_GE(markedGrey.first, 3) << "a frame of several pixels";
        EXPECT_TRUE(markedGrey.second) << "dark and light, to show on any colour";
        EXPECT_EQ(otherGrey.first, 0);
        EXPECT_FALSE(okEnabled);
        EXPECT_TRUE(openAfterEarlyOk);
        EXPECT_EQ(afterClicks, std::vector<int>{3});
        EXPECT_TRUE(hostDisabled) << "without an owner the thread's other windows wait";
        EXPECT_TRUE(::IsWindowEnabled(host));

        const std::string expected = way == "OK" ? "3" : way == "Keine" ? "-4142" : "";
        EXPECT_EQ(picker.Tag, expected) << way;
        EXPECT_EQ(picker.Loaded(), !expected.empty()) << way << ": hidden with a result, or unloaded";
        picker.Unload();
        EXPECT_FALSE(::IsWindow(dialog));
    }
}

// Without a mouse: the marked colour holds the focus, the arrows move over
// the grid, Space chooses, Tab goes on in index order and into the bar, whose
// OK takes Enter. A screen reader hears each box's colour and which is
// marked, finds OK unavailable at first, and chooses by the default action.
TEST(ColIndexDialog, TheKeyboardAndScreenReadersChooseABox) {
    DialogScene scene;
    FrmColIndex picker(scene.component);
    picker.Load();
    picker.Tag = "16";
    picker.picCol(16).SetBorderStyle(1);
    WinDialogWindow& window = WindowOf(picker);
    HWND dialog = window.Handle(), bar = window.WinBar()->Handle(), boxes[57] = {};
    for (int k = 1; k <= 56; ++k) boxes[k] = window.ControlHandle("picCol", k);

    std::vector<int> path;  // the focused box after each key (0: none)
    std::vector<std::wstring> heard;
    std::vector<long> checked;  // boxes 16 and 3, before and after the reader chose box 3
    std::unique_ptr<AccessibleEvents> announced;
    std::vector<std::tuple<DWORD, HWND, LONG>> changes;
    long okState = 0, boxRole = 0;
    HRESULT earlyOk = S_OK;
    std::string tagFromReader, tagFromSpace, barMark;
    std::vector<bool> dotted;  // a focus rectangle on the focused box 7, none on box 6
    {
        DialogUserThread user([&](DialogUserThread& u) {
            if (!u.WaitForWindow(kDialogClass)) return;
            HWND focus = nullptr;
            const auto press = [&](UINT key) {
                u.OnUi([&] { focus = ::GetFocus(); });
                u.Key(focus, key);
                u.Settle();
                u.OnUi([&] { focus = ::GetFocus(); });
                path.push_back(static_cast<int>(std::find(boxes, boxes + 57, focus) - boxes) % 57);
            };
            u.OnUi([&] { path.push_back(::GetFocus() == boxes[16] ? 16 : 0); });
            for (UINT key : {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_UP, VK_LEFT}) press(key);
            u.OnUi([&] {
                for (int k : {7, 6}) {
                    const ClientPixels box(boxes[k]);
                    dotted.push_back(box.At(1, 1) != box.At(Px(150), Px(120)));
                }
            });
            u.OnUi([&] {
                const auto box3 = AccessibleOf(boxes[3]), box16 = AccessibleOf(boxes[16]), clb = AccessibleOf(bar);
                heard = {AccName(AccessibleOf(boxes[1]).Get(), 0), AccName(box3.Get(), 0)};
                boxRole = AccRole(box3.Get(), 0);
                okState = AccState(clb.Get(), 1) & STATE_SYSTEM_UNAVAILABLE;
                earlyOk = clb->accDoDefaultAction(ChildId(1));
                checked = {AccState(box16.Get(), 0) & STATE_SYSTEM_CHECKED,
                           AccState(box3.Get(), 0) & STATE_SYSTEM_CHECKED};
                announced = std::make_unique<AccessibleEvents>();
                box3->accDoDefaultAction(ChildId(0));
            });
            u.Settle();
            u.OnUi([&] {
                for (const auto& e : announced->seen)
                    if (std::get<0>(e) == EVENT_OBJECT_STATECHANGE) changes.push_back(e);
                announced.reset();
                tagFromReader = picker.Tag;
                checked.push_back(AccState(AccessibleOf(boxes[16]).Get(), 0) & STATE_SYSTEM_CHECKED);
                checked.push_back(AccState(AccessibleOf(boxes[3]).Get(), 0) & STATE_SYSTEM_CHECKED);
            });
            press(VK_SPACE);
            u.OnUi([&] { tagFromSpace = picker.Tag; });
            press(VK_TAB);
            u.OnUi([&] { ::SetFocus(boxes[56]); });
            press(VK_TAB);
            u.OnUi([&] { barMark = ::GetFocus() == bar ? window.WinBar()->FocusedKey() : "not in the bar"; });
            press(VK_RETURN);
            u.WaitUntilGone(dialog);
        });
        picker.ShowModal();
        EXPECT_FALSE(user.TimedOut());
    }
    EXPECT_EQ(path, (std::vector<int>{16, 17, 25, 24, 16, 8, 7, 7, 8, 0, 0}));
    EXPECT_EQ(dotted, (std::vector<bool>{true, false}));
    EXPECT_EQ(heard, (std::vector<std::wstring>{L"RGB(0, 0, 0)", L"RGB(255, 0, 0)"}));
    EXPECT_EQ(boxRole, ROLE_SYSTEM_RADIOBUTTON) << "one of a set of colours";
    EXPECT_EQ(okState, STATE_SYSTEM_UNAVAILABLE);
    EXPECT_NE(earlyOk, S_OK);
    EXPECT_EQ(checked, (std::vector<long>{STATE_SYSTEM_CHECKED, 0, 0, STATE_SYSTEM_CHECKED}));
    EXPECT_EQ(tagFromReader, "3");
    EXPECT_EQ(changes, (std::vector<std::tuple<DWORD, HWND, LONG>>{{EVENT_OBJECT_STATECHANGE, boxes[16], 0},
                                                                  {EVENT_OBJECT_STATECHANGE, boxes[3], 0},
                                                                  {EVENT_OBJECT_STATECHANGE, bar, 1}}))
        << "readers hear the marks move and OK become available";
    EXPECT_EQ(tagFromSpace, "7");
    EXPECT_EQ(barMark, "mnuOk");
    EXPECT_EQ(picker.Tag, "7") << "Enter on OK";
    EXPECT_TRUE(picker.Loaded()) << "hidden with a result";
}

TEST(PwdDialog, ShowsStarsOnItsOwnerAndHandsOverTheTypedText) {
    DialogScene scene;
    HWND host = SharedHostWindow();
    FrmPwd form(scene.component);
    form.Load();
    WinDialogWindow& window = WindowOf(form);
    HWND dialog = window.Handle(), text = window.ControlHandle("txtPwd"), bar = window.WinBar()->Handle();

    std::wstring caption, label, shown;
    RECT frame{}, hostFrame{};
    HWND owner = nullptr, focus = nullptr;
    LRESULT passwordChar = 0;
    std::vector<std::string> tabs;  // where Tab leads: the bar's buttons, then the box again
    {
        DialogUserThread user([&](DialogUserThread& u) {
            if (!u.WaitForWindow(L"BrackwellDialog", host)) return;
            caption = TextOf(dialog);
            label = TextOf(window.ControlHandle("Label1"));
            ::GetWindowRect(dialog, &frame);
            ::GetWindowRect(host, &hostFrame);
            owner = ::GetWindow(dialog, GW_OWNER);
            passwordChar = ::SendMessageW(text, EM_GETPASSWORDCHAR, 0, 0);
            u.OnUi([&] { focus = ::GetFocus(); });
            u.Type(text, L"geheim Übersicht");
            u.Settle();
            shown = TextOf(text);
            u.OnUi([&] { WritePicture(dialog, L"frmPwd.bmp"); });
            for (HWND from : {text, bar, bar}) {
                u.Key(from, VK_TAB);
                u.Settle();
                u.OnUi([&] { tabs.push_back(::GetFocus() == text ? "txtPwd" : window.WinBar()->FocusedKey()); });
            }
            u.Key(text, VK_RETURN);  // OK
            u.WaitUntilGone(dialog);
        });
        form.ShowModal(reinterpret_cast<WindowHandle>(host));
        EXPECT_FALSE(user.TimedOut());
    }
    EXPECT_EQ(caption + L" / " + label + L" / " + shown, L"Passwort / Passwort / geheim Übersicht");
    EXPECT_EQ(owner, host);
    EXPECT_NEAR((frame.left + frame.right) / 2, (hostFrame.left + hostFrame.right) / 2, 1) << "centred on its owner";
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (hostFrame.top + hostFrame.bottom) / 2, 1);
    EXPECT_EQ(passwordChar, L'*');
    EXPECT_EQ(focus, text) << "the password box holds the focus";
    EXPECT_EQ(tabs, (std::vector<std::string>{"mnuOk", "mnuCancel", "txtPwd"}));

    ASSERT_EQ(scene.component.ActivePwdForm, &form);
    EXPECT_EQ(form.txtPwd().Text(), "geheim Übersicht");
    form.Unload();
    EXPECT_EQ(scene.component.ActivePwdForm, nullptr);
    EXPECT_FALSE(::IsWindow(dialog));
}

}  // namespace
}  // namespace brackwell::win::test

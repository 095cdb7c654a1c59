// The tab colour picker and the password dialog as real windows: laid out
// at their twip geometry, driven with clicks, typing, Escape and the close
// box from another thread, and read back as a user and the caller see them.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "dialogs/frm_col_index.h"
#include "dialogs/frm_pwd.h"
#include "tests/windows_dialogs/dialog_scene.h"
#include "tests/windows_dialogs/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kDialogClass[] = L"BrackwellDialog";

bool Framed(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER) != 0; }

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct PickerWindows {
    HWND bar = nullptr;
    RECT ok{}, none{}, cancel{};
    HWND boxes[57] = {};
};

PickerWindows WindowsOf(FrmColIndex& picker) {
    WinDialogWindow& window = WindowOf(picker);
    PickerWindows w;
    w.bar = window.WinBar()->Handle();
    w.ok = window.WinBar()->ButtonRect("mnuOk");
    w.none = window.WinBar()->ButtonRect("mnuRetour");
    w.cancel = window.WinBar()->ButtonRect("mnuCancel");
    for (int k = 1; k <= 56; ++k) w.boxes[k] = window.ControlHandle("picCol", k);
    return w;
}

TEST(ColIndexDialog, MarksTheClickedBoxAndHandsTheLastOneToTheCaller) {
    DialogScene scene;
    HWND host = SharedHostWindow();
    FrmColIndex picker(scene.component);
    picker.Load();
    picker.SetCaption("Übersicht");
    picker.Tag = "7";
    picker.picCol(7).SetBorderStyle(1);
    const PickerWindows w = WindowsOf(picker);

    std::wstring caption;
    RECT client{}, frame{}, box1{}, box56{};
    std::vector<int> markedAtOpening, markedAfterClicks;
    bool hostDisabled = false, okEnabledAtOpening = true, openAfterEarlyOk = false;
    COLORREF box56Color = 0;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            HWND dialog = u.WaitForWindow(kDialogClass);
            if (!dialog) return;
            caption = TextOf(dialog);
            ::GetClientRect(dialog, &client);
            ::GetWindowRect(dialog, &frame);
            box1 = RectInParent(w.boxes[1]);
            box56 = RectInParent(w.boxes[56]);
            for (int k = 1; k <= 56; ++k)
                if (Framed(w.boxes[k])) markedAtOpening.push_back(k);
            hostDisabled = !::IsWindowEnabled(host);
            u.OnUi([&] {
                okEnabledAtOpening = picker.clbMain()->ButtonEnabled("mnuOk");
                box56Color = static_cast<COLORREF>(picker.picCol(56).BackColor());
                WritePicture(dialog, L"frmColIndex.bmp");
            });

            u.Click(w.bar, Centre(w.ok));  // disabled: nothing happens
            u.Settle();
            openAfterEarlyOk = ::IsWindowVisible(dialog);
            u.Click(w.boxes[12]);
            u.Click(w.boxes[40]);
            u.Click(w.boxes[3]);
            u.Settle();
            for (int k = 1; k <= 56; ++k)
                if (Framed(w.boxes[k])) markedAfterClicks.push_back(k);
            u.Click(w.bar, Centre(w.ok));
            u.WaitUntilGone(dialog);
        });
        picker.ShowModal();
        EXPECT_FALSE(user.TimedOut());
    }

    EXPECT_EQ(caption, L"Übersicht");
    EXPECT_EQ(client.right, Px(3195));
    EXPECT_EQ(client.bottom, Px(2835));
    // Centred on the screen.
    EXPECT_NEAR((frame.left + frame.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(box1.left, Px(75));
    EXPECT_EQ(box1.top, Px(600));
    EXPECT_EQ(box1.right - box1.left, Px(315));
    EXPECT_EQ(box1.bottom - box1.top, Px(240));
    EXPECT_EQ(box56.left, Px(75 + 7 * 375));
    EXPECT_EQ(box56.top, Px(600 + 6 * 300));
    EXPECT_EQ(box56Color, 0x333333u);
    EXPECT_EQ(markedAtOpening, std::vector<int>{7});
    EXPECT_FALSE(okEnabledAtOpening);
    EXPECT_TRUE(openAfterEarlyOk);
    EXPECT_EQ(markedAfterClicks, std::vector<int>{3});
    EXPECT_TRUE(hostDisabled) << "without an owner the thread's other windows wait";
    EXPECT_TRUE(::IsWindowEnabled(host));

    EXPECT_TRUE(picker.Loaded()) << "OK hides it";
    EXPECT_EQ(picker.Tag, "3");
    HWND dialog = WindowOf(picker).Handle();
    picker.Unload();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST(ColIndexDialog, KeineCancelEscapeAndTheCloseBoxAsTheCallerSeesThem) {
    DialogScene scene;
    struct Way {
        const char* name;
        std::function<void(DialogUserThread&, HWND dialog, const PickerWindows&)> act;
        const char* tag;
        bool loadedAfter;
    };
    const std::vector<Way> ways = {
        {"Keine", [](DialogUserThread& u, HWND, const PickerWindows& w) { u.Click(w.bar, Centre(w.none)); }, "-4142",
         true},
        {"Abbrechen",
         [](DialogUserThread& u, HWND, const PickerWindows& w) {
             u.Click(w.boxes[9]);
             u.Click(w.bar, Centre(w.cancel));
         },
         "", false},
        {"Escape",
         [](DialogUserThread& u, HWND dialog, const PickerWindows& w) {
             u.Click(w.boxes[9]);
             u.Key(dialog, VK_ESCAPE);
         },
         "", false},
        {"close box", [](DialogUserThread& u, HWND dialog, const PickerWindows&) { u.CloseBox(dialog); }, "", false},
    };
    for (const Way& way : ways) {
        FrmColIndex picker(scene.component);
        picker.Load();
        picker.SetCaption("Tabelle1");
        picker.Tag = "-4142";
        const PickerWindows w = WindowsOf(picker);
        HWND dialog = WindowOf(picker).Handle();
        {
            DialogUserThread user([&](DialogUserThread& u) {
                if (!u.WaitForWindow(kDialogClass)) return;
                way.act(u, dialog, w);
                u.WaitUntilGone(dialog);
            });
            picker.ShowModal();
            EXPECT_FALSE(user.TimedOut()) << way.name;
        }
        EXPECT_EQ(picker.Tag, way.tag) << way.name;
        EXPECT_EQ(picker.Loaded(), way.loadedAfter) << way.name;
        EXPECT_EQ(::IsWindow(dialog) != FALSE, way.loadedAfter) << way.name;
    }
}

TEST(PwdDialog, ShowsStarsOnItsOwnerAndHandsOverTheTypedText) {
    DialogScene scene;
    HWND host = SharedHostWindow();
    for (bool confirm : {true, false}) {
        FrmPwd form(scene.component);
        form.Load();
        WinDialogWindow& window = WindowOf(form);  // released when the dialog unloads itself
        HWND dialogWindow = window.Handle();
        HWND text = window.ControlHandle("txtPwd");
        HWND label = window.ControlHandle("Label1");
        const RECT ok = window.WinBar()->ButtonRect(confirm ? "mnuOk" : "mnuCancel");
        HWND bar = window.WinBar()->Handle();

        std::wstring caption, labelText;
        RECT client{}, frame{}, textRect{}, labelRect{}, hostFrame{};
        HWND owner = nullptr, focus = nullptr;
        LRESULT passwordChar = 0;
        std::wstring typedShown;
        {
            DialogUserThread user([&](DialogUserThread& u) {
                HWND dialog = u.WaitForWindow(kDialogClass, host);
                if (!dialog) return;
                caption = TextOf(dialog);
                labelText = TextOf(label);
                ::GetClientRect(dialog, &client);
                ::GetWindowRect(dialog, &frame);
                ::GetWindowRect(host, &hostFrame);
                owner = ::GetWindow(dialog, GW_OWNER);
                textRect = RectInParent(text);
                labelRect = RectInParent(label);
                passwordChar = ::SendMessageW(text, EM_GETPASSWORDCHAR, 0, 0);
                u.OnUi([&] { focus = ::GetFocus(); });
                u.Type(text, L"geheim Übersicht");
                u.Settle();
                typedShown = TextOf(text);
                if (confirm) u.OnUi([&] { WritePicture(dialog, L"frmPwd.bmp"); });
                u.Click(bar, Centre(ok));
                u.WaitUntilGone(dialog);
            });
            form.ShowModal(reinterpret_cast<WindowHandle>(host));
            EXPECT_FALSE(user.TimedOut());
        }
        EXPECT_EQ(caption, L"Passwort");
        EXPECT_EQ(labelText, L"Passwort");
        EXPECT_EQ(client.right, Px(4560));
        EXPECT_EQ(client.bottom, Px(1470));
        EXPECT_NEAR((frame.left + frame.right) / 2, (hostFrame.left + hostFrame.right) / 2, 1) << "centred on its owner";
        EXPECT_NEAR((frame.top + frame.bottom) / 2, (hostFrame.top + hostFrame.bottom) / 2, 1);
        EXPECT_EQ(owner, host);
        EXPECT_EQ(textRect.left, Px(300));
        EXPECT_EQ(textRect.top, Px(900));
        EXPECT_EQ(textRect.right - textRect.left, Px(3615));
        EXPECT_EQ(textRect.bottom - textRect.top, Px(315));
        EXPECT_EQ(labelRect.left, Px(300));
        EXPECT_EQ(labelRect.top, Px(600));
        EXPECT_EQ(passwordChar, L'*');
        EXPECT_EQ(focus, text) << "the password box holds the focus";
        EXPECT_EQ(typedShown, L"geheim Übersicht");

        if (confirm) {
            ASSERT_EQ(scene.component.ActivePwdForm, &form);
            EXPECT_EQ(form.txtPwd().Text(), "geheim Übersicht");
            form.Unload();
        }
        EXPECT_EQ(scene.component.ActivePwdForm, nullptr);
        EXPECT_FALSE(::IsWindow(dialogWindow));
    }
}

}  // namespace
}  // namespace brackwell::win::test

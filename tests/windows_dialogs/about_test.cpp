// The about box as a real window: its texts, fonts and separator, the
// address label with the hand pointer, and its bar opening the homepage
// (through a recording shell) and the system information (here: none, so
// the real message box says so).

#include <gtest/gtest.h>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/win_handles.h"
#include "dialogs/frm_about.h"
#include "tests/windows_dialogs/dialog_scene.h"
#include "tests/windows_dialogs/dialog_user_thread.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kDialogClass[] = L"BrackwellDialog";
constexpr int kMessageBoxText = 0xFFFF;  // the static text of a message box

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Whether the window's text fits its width on one line, in its own font.
bool TextFits(HWND window) {
    const std::wstring text = TextOf(window);
    WindowDc dc(window);
    SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    RECT client{};
    ::GetClientRect(window, &client);
    return size.cx <= client.right;
}

LONG WeightOf(HWND window) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfWeight;
}

TEST(AboutDialog, ShowsItselfAndOpensTheHomepageAndTheSystemInformation) {
    DialogScene scene;
    FrmAbout about(scene.component);
    about.Load();
    WinDialogWindow& window = WindowOf(about);  // released when OK unloads the box
    HWND dialogWindow = window.Handle();
    auto handle = [&](const char* name, int index = -1) { return window.ControlHandle(name, index); };
    HWND title = handle("lblTitle"), version = handle("lblVersion"), description = handle("lblDescription");
    HWND url = handle("lblURL"), line = handle("Line1", 0);
    HWND bar = window.WinBar()->Handle();
    const RECT okButton = window.WinBar()->ButtonRect("mnuOk");
    const RECT sysButton = window.WinBar()->ButtonRect("mnuSys");
    const RECT urlButton = window.WinBar()->ButtonRect("mnuUrl");

    std::wstring caption, titleText, versionText, descriptionText, urlText, boxText, boxTitle;
    RECT client{}, titleRect{}, urlRect{}, lineRect{};
    LONG titleWeight = 0;
    LONG_PTR exStyle = 0;
    bool handOverUrl = false, urlFits = false;
    size_t shellCallsAfterLabel = 0;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            HWND dialog = u.WaitForWindow(kDialogClass);
            if (!dialog) return;
            caption = TextOf(dialog);
            titleText = TextOf(title);
            versionText = TextOf(version);
            descriptionText = TextOf(description);
            urlText = TextOf(url);
            ::GetClientRect(dialog, &client);
            titleRect = RectInParent(title);
            urlRect = RectInParent(url);
            lineRect = RectInParent(line);
            titleWeight = WeightOf(title);
            urlFits = TextFits(url);
            exStyle = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE);
            u.OnUi([&] {
                ::SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(url), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                handOverUrl = ::GetCursor() == ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
                WritePicture(dialog, L"frmAbout.bmp");
            });

            u.Click(url);
            u.Settle();
            u.OnUi([&] { shellCallsAfterLabel = scene.platform.shellCalls.size(); });
            u.Click(bar, Centre(urlButton));
            u.Click(bar, Centre(sysButton));
            HWND box = u.WaitForWindow(L"#32770", dialog);
            if (!box) return;
            boxTitle = TextOf(box);
            boxText = TextOf(::GetDlgItem(box, kMessageBoxText));
            u.Click(::GetDlgItem(box, IDOK));
            u.WaitUntilGone(box);
            u.Click(bar, Centre(okButton));
            u.WaitUntilGone(dialog);
        });
        about.ShowModal(0);
        EXPECT_FALSE(user.TimedOut());
    }

    EXPECT_EQ(caption, L"Info zu Brackwell");
    EXPECT_EQ(titleText, L"Brackwell");
    EXPECT_EQ(versionText, Utf8ToWide(std::string("Version: ") + BRACKWELL_VERSION_TEXT));
    EXPECT_EQ(descriptionText,
              L"Dieses Addin soll die Navigation und Übersichtlichkeit\r\n"
              L"in umfangreichen bzw. mehreren geöffneten Arbeitsmappen erleichtern.\r\n\r\n"
              L"info@brackwell.example | brackwell.example");
    EXPECT_EQ(urlText, L"brackwell.example");
    EXPECT_EQ(client.right, Px(7185));
    EXPECT_EQ(client.bottom, Px(5175));
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME) << "a fixed dialog border";
    EXPECT_EQ(titleRect.left, Px(1125));
    EXPECT_EQ(titleRect.top, Px(615));
    EXPECT_EQ(titleWeight, FW_BOLD);
    EXPECT_TRUE(urlFits) << "the address shows whole";
    EXPECT_EQ(urlRect.left, Px(1050));
    EXPECT_EQ(urlRect.top, Px(4725));
    EXPECT_EQ(lineRect.left, Px(1065));
    EXPECT_EQ(lineRect.top, Px(4500));
    EXPECT_EQ(lineRect.right, Px(6825));
    EXPECT_EQ(lineRect.bottom - lineRect.top, 1);
    EXPECT_TRUE(handOverUrl);

    EXPECT_EQ(shellCallsAfterLabel, 1u);
    ASSERT_EQ(scene.platform.shellCalls.size(), 2u);
    for (const ShellCall& call : scene.platform.shellCalls) {
        EXPECT_EQ(call.window, reinterpret_cast<WindowHandle>(dialogWindow));
        EXPECT_EQ(call.operation, "Open");
        EXPECT_EQ(call.file, "http://brackwell.example");
        EXPECT_EQ(call.showCommand, 3);
    }
    EXPECT_EQ(scene.platform.pointerChanges, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(boxTitle, L"Brackwell");
    EXPECT_EQ(boxText, L"Systeminformationen sind momentan nicht verfügbar");
    EXPECT_FALSE(about.Loaded());
    EXPECT_FALSE(::IsWindow(dialogWindow));
}

TEST(AboutDialog, ShowAboutReturnsWhenTheBoxIsClosed) {
    DialogScene scene;
    HWND owner = reinterpret_cast<HWND>(1);
    {
        DialogUserThread user([&](DialogUserThread& u) {
            HWND dialog = u.WaitForWindow(kDialogClass);
            if (!dialog) return;
            owner = ::GetWindow(dialog, GW_OWNER);
            u.CloseBox(dialog);
            u.WaitUntilGone(dialog);
        });
        ShowAbout(scene.component);
        EXPECT_FALSE(user.TimedOut());
    }
    EXPECT_EQ(owner, nullptr);
}

}  // namespace
}  // namespace brackwell::win::test

// The about box as a real window: its texts, fonts and separator, the
// address label with the hand pointer, its bar opening the homepage
// (through a recording shell) and the system information (here: none, so
// the real message box says so), and OK.

#include <gtest/gtest.h>

#include "adapters/windows/common/utf.h"
#include "dialogs/frm_about.h"
#include "tests/windows_dialogs/dialog_test_support.h"

namespace brackwell::win::test {
namespace {

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

TEST(AboutDialog, ShowsItselfAndOpensTheHomepageAndTheSystemInformation) {
    DialogScene scene;
    FrmAbout about(scene.component);
    about.Load();
    WinDialogWindow& window = WindowOf(about);  // released when OK unloads the box
    HWND dialog = window.Handle(), bar = window.WinBar()->Handle();
    HWND title = window.ControlHandle("lblTitle"), url = window.ControlHandle("lblURL");
    const RECT ok = window.WinBar()->ButtonRect("mnuOk"), sys = window.WinBar()->ButtonRect("mnuSys"),
               home = window.WinBar()->ButtonRect("mnuUrl");

    std::vector<std::wstring> texts;
    std::wstring box;
    RECT client{};
    LOGFONTW titleFont{};
    bool fixedDialogBorder = false, handOverUrl = false, urlFits = false;
    std::size_t callsAfterLabel = 0;
    {
        DialogUserThread user([&](DialogUserThread& u) {
            if (!u.WaitForWindow(L"BrackwellDialog")) return;
            for (HWND w : {dialog, title, window.ControlHandle("lblVersion"), window.ControlHandle("lblDescription"), url})
                texts.push_back(TextOf(w));
            ::GetClientRect(dialog, &client);
            ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(title, WM_GETFONT, 0, 0)), sizeof(titleFont), &titleFont);
            fixedDialogBorder = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME;
            urlFits = TextFits(url);
            u.OnUi([&] {
                ::SendMessageW(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(url), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                handOverUrl = ::GetCursor() == ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND
                WritePicture(dialog, L"frmAbout.bmp");
            });
            u.Click(url);
            u.Settle();
            callsAfterLabel = scene.platform.shellCalls.size();
            u.Click(bar, Centre(home));
            u.Click(bar, Centre(sys));
            if (HWND message = u.WaitForWindow(L"#32770", dialog)) {
                box = TextOf(message) + L": " + TextOf(::GetDlgItem(message, 0xFFFF));
                u.ClickUntilClosed(::GetDlgItem(message, IDOK), message);
            }
            u.Click(bar, Centre(ok));
            u.WaitUntilGone(dialog);
        });
        about.ShowModal(0);
        EXPECT_FALSE(user.TimedOut());
    }

    EXPECT_EQ(texts, (std::vector<std::wstring>{
                         L"Info zu Brackwell", L"Brackwell",
                         Utf8ToWide(std::string("Version: ") + BRACKWELL_VERSION_TEXT),
                         L"Dieses Addin soll die Navigation und Übersichtlichkeit\r\n"
                         L"in umfangreichen bzw. mehreren geöffneten Arbeitsmappen erleichtern.\r\n\r\n"
                         L"info@brackwell.example | brackwell.example",
                         L"brackwell.example"}));
    EXPECT_EQ(client.right, Px(7185));
    EXPECT_EQ(client.bottom, Px(5175));
    EXPECT_TRUE(fixedDialogBorder);
    EXPECT_EQ(titleFont.lfWeight, FW_BOLD);
    EXPECT_TRUE(urlFits) << "the address shows whole";
    EXPECT_TRUE(handOverUrl);

    EXPECT_EQ(callsAfterLabel, 1u);
    const std::string call = std::to_string(reinterpret_cast<WindowHandle>(dialog)) + " Open http://brackwell.example 3";
    EXPECT_EQ(scene.platform.shellCalls, (std::vector<std::string>{call, call}));
    EXPECT_EQ(box, L"Brackwell: Systeminformationen sind momentan nicht verfügbar");
    EXPECT_FALSE(::IsWindow(dialog));
}

}  // namespace
}  // namespace brackwell::win::test

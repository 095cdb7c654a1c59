// The input box and DoEvents on real Win32 windows. (The message box, a
// plain MessageBoxW, is seen with its Unicode title and text through the
// real DLL.)

#include <gtest/gtest.h>

#include "adapters/windows/ui/input_box.h"
#include "adapters/windows/ui/win_handles.h"
#include "adapters/windows/ui/win_user_interface.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;

TEST(WinUserInterfaceTest, InputBoxOffersTheDefaultSelectedAndReturnsTheTypedTextOrNothing) {
    WinUserInterface ui(test::Instance());
    {
        DWORD selStart = 99, selEnd = 0;
        std::wstring title, prompt, shownDefault, cancelText;
        ModalAnswerer answerer(L"#32770", [&](HWND box) {
            title = test::WindowText(box);
            prompt = test::WindowText(::GetDlgItem(box, kInputBoxPromptId));
            cancelText = test::WindowText(::GetDlgItem(box, IDCANCEL));
            HWND edit = ::GetDlgItem(box, kInputBoxEditId);
            shownDefault = test::WindowText(edit);
            ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
            ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u58F2\u4E0A 2024"));
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });

        EXPECT_EQ(ui.InputBox("Neuen Tabellennamen:", "Tabelle umbennen", "Tabelle1"),
                  "\xE5\xA3\xB2\xE4\xB8\x8A 2024");  // 売上 2024
        EXPECT_EQ(title, L"Tabelle umbennen");
        EXPECT_EQ(prompt, L"Neuen Tabellennamen:");
        EXPECT_EQ(cancelText, L"Abbrechen");
        EXPECT_EQ(shownDefault, L"Tabelle1");
        EXPECT_EQ(selStart, 0u);
        EXPECT_EQ(selEnd, 8u);  // the whole default text is selected
    }
    // Cancelled: nothing, whatever was typed.
    ModalAnswerer answerer(L"#32770", [](HWND box) {
        ::SendMessageW(::GetDlgItem(box, kInputBoxEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ui.InputBox("Neuen Bereichsnamen:", "Bereich umbennen", "Daten"), "");
    EXPECT_TRUE(answerer.Answered());
}

TEST(WinUserInterfaceTest, DoEventsRunsEveryPostedMessage) {
    WinUserInterface ui(test::Instance());
    WindowHandleOwner windows[3];
    for (auto& window : windows) {
        window.Reset(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, test::Instance(),
                                       nullptr));
        ::PostMessageW(window.Get(), WM_CLOSE, 0, 0);  // the default handling destroys the window
    }

    ui.DoEvents();

    for (auto& window : windows) {
        EXPECT_FALSE(::IsWindow(window.Get()));
        if (!::IsWindow(window.Get())) window.Detach();  // gone already: nothing to destroy
    }
}

}  // namespace
}  // namespace brackwell::win

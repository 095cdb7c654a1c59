// The input box and DoEvents on real Win32 windows. (The message box, a
// plain MessageBoxW, and the input box's title, prompt, default and typed
// answer are seen through the real DLL.)

#include <gtest/gtest.h>

#include "adapters/windows/ui/input_box.h"
#include "adapters/windows/ui/win_handles.h"
#include "adapters/windows/ui/win_user_interface.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;

TEST(WinUserInterfaceTest, InputBoxOffersTheDefaultSelectedAndCancelGivesNothingWhateverWasTyped) {
    WinUserInterface ui(test::Instance());
    DWORD selStart = 99, selEnd = 0;
    std::wstring cancelText;
    ModalAnswerer answerer(L"#32770", [&](HWND box) {
        cancelText = test::WindowText(::GetDlgItem(box, IDCANCEL));
        HWND edit = ::GetDlgItem(box, kInputBoxEditId);
        ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ui.InputBox("Neuen Bereichsnamen:", "Bereich umbennen", "Daten"), "");
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(cancelText, L"Abbrechen");
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 5u);  // the whole default text is selected
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

// The message box, input box, beep and DoEvents on real Win32 windows.

#include <gtest/gtest.h>

#include "adapters/windows/ui/input_box.h"
#include "adapters/windows/ui/win_user_interface.h"
#include "ui_test_support.h"

namespace brackwell::win {
namespace {

using test::ModalAnswerer;

BOOL CALLBACK AppendText(HWND child, LPARAM lParam) {
    *reinterpret_cast<std::wstring*>(lParam) += test::WindowText(child) + L"|";
    return TRUE;
}

// The texts of a window's children, joined.
std::wstring ChildTexts(HWND window) {
    std::wstring all;
    ::EnumChildWindows(window, AppendText, reinterpret_cast<LPARAM>(&all));
    return all;
}

TEST(WinUserInterfaceTest, MsgBoxShowsTitleAndTextAndAnswersOk) {
    WinUserInterface ui(test::Instance());
    std::wstring title, texts;
    ModalAnswerer answerer(L"#32770", [&](HWND box) {
        title = test::WindowText(box);
        texts = ChildTexts(box);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });

    const std::int32_t answer = ui.MsgBox("Tabelle \xC3\x9C" "bersicht existiert bereits", 48, "Abbruch");

    EXPECT_EQ(answer, 1);
    EXPECT_EQ(title, L"Abbruch");
    EXPECT_NE(texts.find(L"Tabelle \u00DCbersicht existiert bereits"), std::wstring::npos) << texts;
}

TEST(WinUserInterfaceTest, InputBoxOffersTheDefaultSelectedAndReturnsTheTypedText) {
    WinUserInterface ui(test::Instance());
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

    const std::string typed = ui.InputBox("Neuen Tabellennamen:", "Tabelle umbennen", "Tabelle1");

    EXPECT_EQ(typed, "\xE5\xA3\xB2\xE4\xB8\x8A 2024");  // 売上 2024
    EXPECT_EQ(title, L"Tabelle umbennen");
    EXPECT_EQ(prompt, L"Neuen Tabellennamen:");
    EXPECT_EQ(cancelText, L"Abbrechen");
    EXPECT_EQ(shownDefault, L"Tabelle1");
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 8u);  // the whole default text is selected
}

TEST(WinUserInterfaceTest, InputBoxReturnsEmptyTextWhenCancelled) {
    WinUserInterface ui(test::Instance());
    ModalAnswerer answerer(L"#32770", [](HWND box) {
        ::SendMessageW(::GetDlgItem(box, kInputBoxEditId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    });

    EXPECT_EQ(ui.InputBox("Neuen Bereichsnamen:", "Bereich umbennen", "Daten"), "");
    EXPECT_TRUE(answerer.Answered());
}

TEST(WinUserInterfaceTest, DoEventsRunsEveryPostedMessage) {
    WinUserInterface ui(test::Instance());
    int ran = 0;
    // A thread message posted to ourselves runs through a hook-free window:
    // a message-only window whose procedure counts.
    struct Counter {
        static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_APP) ++*reinterpret_cast<int*>(wParam);
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
    };
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Counter::Proc;
    wc.hInstance = test::Instance();
    wc.lpszClassName = L"BrackwellTestCounter";
    ::RegisterClassExW(&wc);
    WindowHandleOwner counter(::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                test::Instance(), nullptr));
    for (int i = 0; i < 3; ++i) ::PostMessageW(counter.Get(), WM_APP, reinterpret_cast<WPARAM>(&ran), 0);

    ui.DoEvents();

    EXPECT_EQ(ran, 3);
}

}  // namespace
}  // namespace brackwell::win

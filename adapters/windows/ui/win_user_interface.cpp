#include "adapters/windows/ui/win_user_interface.h"

#include <commdlg.h>

#include <algorithm>
#include <iterator>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/input_box.h"

namespace brackwell::win {
namespace {

// A box without title shows the component's name, as VB shows App.Title.
std::wstring BoxTitle(const std::string& title) {
    return title.empty() ? std::wstring(L"Brackwell") : Utf8ToWide(title);
}

// DoEvents empties the queue; the limit only guards against a window that
// keeps posting to itself, which would otherwise hold the caller forever.
constexpr int kMaxMessagesPerDoEvents = 10000;

// A named callback: a lambda does not convert to the stdcall WNDENUMPROC of 32-bit Windows.
BOOL CALLBACK CloseIfModal(HWND window, LPARAM) {
    if (::IsWindowEnabled(window) && ::GetWindow(window, GW_OWNER) != nullptr &&
        !::IsWindowEnabled(::GetWindow(window, GW_OWNER))) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

}  // namespace

WinUserInterface::WinUserInterface(HINSTANCE instance) : instance_(instance), posted_(instance) {}

void WinUserInterface::CancelModalUi() {
    ::EndMenu();
    // The modal windows are the thread's enabled top-level windows owned by
    // another (the disabled owner is what makes them modal).
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseIfModal, 0);
}

std::int32_t WinUserInterface::MsgBox(const std::string& prompt, std::int32_t style,
                                      const std::string& title) {
    return ::MessageBoxW(::GetActiveWindow(), Utf8ToWide(prompt).c_str(), BoxTitle(title).c_str(),
                         static_cast<UINT>(style));
}

std::string WinUserInterface::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
    const auto typed = ShowInputBox(instance_, ::GetActiveWindow(), Utf8ToWide(prompt),
                                    BoxTitle(title), Utf8ToWide(defaultText));
    return typed ? WideToUtf8(*typed) : std::string();
}

void WinUserInterface::Beep() { ::MessageBeep(MB_OK); }

void WinUserInterface::DoEvents() {
    MSG msg;
    for (int n = 0; n < kMaxMessagesPerDoEvents && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            // Not ours to consume: whoever runs the outer loop must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool WinUserInterface::ChooseColorDialog(ColorChoice& choice) {
    COLORREF custom[16] = {};
    if (choice.customColors) std::copy(choice.customColors->begin(), choice.customColors->end(), custom);
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = reinterpret_cast<HWND>(choice.owner);
    chooser.rgbResult = choice.rgbResult;
    chooser.lpCustColors = custom;
    chooser.Flags = choice.flags | CC_ANYCOLOR;
    const bool chosen = ::ChooseColorW(&chooser) != FALSE;
    if (choice.customColors) std::copy(std::begin(custom), std::end(custom), choice.customColors->begin());
    if (chosen) choice.rgbResult = chooser.rgbResult;
    return chosen;
}

}  // namespace brackwell::win

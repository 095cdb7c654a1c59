#include "adapters/windows/ui/input_box.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace brackwell::win {
namespace {

// Predefined control classes of a dialog template, by atom.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

// Writes a dialog template in the layout DialogBoxIndirect reads: WORDs,
// strings as UTF-16 with a terminating zero, each item DWORD-aligned.
class DialogTemplateWriter {
public:
    DialogTemplateWriter(DWORD style, short cx, short cy, WORD itemCount, std::wstring_view font,
                         WORD pointSize) {
        Dword(style);
        Dword(0);  // extended style
        words_.push_back(itemCount);
        Short(0);
        Short(0);
        Short(cx);
        Short(cy);
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the standard dialog class
        Text(L"");            // title: set when the dialog starts
        words_.push_back(pointSize);
        Text(font);
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom) {
        if (words_.size() % 2) words_.push_back(0);  // DWORD alignment
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Short(x);
        Short(y);
        Short(cx);
        Short(cy);
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        Text(L"");            // text: set when the dialog starts
        words_.push_back(0);  // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void Short(short value) { words_.push_back(static_cast<WORD>(value)); }
    void Text(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }

    std::vector<WORD> words_;
};

struct InputBoxState {
    const std::wstring& prompt;
    const std::wstring& title;
    const std::wstring& defaultText;
    std::optional<std::wstring> result;
};

std::wstring DialogItemText(HWND dialog, int id) {
    HWND item = ::GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<InputBoxState*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ::SetWindowTextW(dialog, state->title.c_str());
        ::SetDlgItemTextW(dialog, kInputBoxPromptId, state->prompt.c_str());
        ::SetDlgItemTextW(dialog, IDOK, L"OK");
        ::SetDlgItemTextW(dialog, IDCANCEL, L"Abbrechen");
        HWND edit = ::GetDlgItem(dialog, kInputBoxEditId);
        ::SetWindowTextW(edit, state->defaultText.c_str());
        ::SetFocus(edit);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            state->result = DialogItemText(dialog, kInputBoxEditId);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::wstring> ShowInputBox(HINSTANCE instance, HWND owner, const std::wstring& prompt,
                                         const std::wstring& title, const std::wstring& defaultText) {
    // Dialog units; the proportions of VB's input box.
    DialogTemplateWriter t(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                           248, 86, 4, L"MS Shell Dlg", 8);
    t.Item(SS_LEFT | SS_NOPREFIX, 6, 6, 180, 52, kInputBoxPromptId, kStaticAtom);
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 192, 6, 50, 14, IDOK, kButtonAtom);
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 192, 24, 50, 14, IDCANCEL, kButtonAtom);
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 6, 64, 236, 13, kInputBoxEditId, kEditAtom);

    InputBoxState state{prompt, title, defaultText, std::nullopt};
    const INT_PTR answer = ::DialogBoxIndirectParamW(instance, t.Get(), owner, InputBoxProc,
                                                     reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return std::nullopt;
    return state.result;
}

}  // namespace brackwell::win

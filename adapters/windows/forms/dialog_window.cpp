#include "adapters/windows/forms/dialog_window.h"

#include <algorithm>

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/forms/dialog_keys.h"
#include "adapters/windows/ui/dpi.h"
#include "adapters/windows/ui/window_class.h"
#include "host/automation_error.h"
#include "host/forms.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kDialogClass[] = L"BrackwellDialog";
constexpr Color kDialogFace = 0x8000000F;  // COLOR_BTNFACE

bool SameFont(const ControlFont& a, const ControlFont& b) {
    return a.face == b.face && a.size == b.size && a.bold == b.bold && a.underline == b.underline;
}

// Both borders are fixed: a caption with the close box, no sizing frame.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

DWORD ExStyleOf(FormBorder border) {
    // A fixed dialog border is the thick dialog frame without a window icon.
    return WS_EX_CONTROLPARENT | (border == FormBorder::FixedDialog ? WS_EX_DLGMODALFRAME : 0u);
}

}  // namespace

WinDialogWindow::WinDialogWindow(HINSTANCE instance, const FormDesign& design, DialogEvents& events)
    : design_(design), events_(events), dpi_(SystemDpi()) {
    EnsureWindowClass(instance, kDialogClass, ObjectWindowProc<WinDialogWindow>);
    RECT frame{0, 0, Pixels(design.clientWidth), Pixels(design.clientHeight)};
    AdjustWindowRectForDpi(frame, kStyle, ExStyleOf(design.border), dpi_);
    hwnd_ = ::CreateWindowExW(ExStyleOf(design.border), kDialogClass, Utf8ToWide(design.caption).c_str(),
                              kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!hwnd_) Raise(err::kInvalidCall, "Das Dialogfenster konnte nicht erstellt werden");
    try {
        bar_ = std::make_shared<WinToolbar>(instance, hwnd_, design.bar);
        CreateControls(instance);
    } catch (...) {
        ::DestroyWindow(hwnd_);
        throw;
    }
}

WinDialogWindow::~WinDialogWindow() {
    disabled_.Restore();
    if (hwnd_) ::DestroyWindow(hwnd_);
}

int WinDialogWindow::Pixels(std::int32_t twips) const { return TwipsToPixels(twips, dpi_); }

HFONT WinDialogWindow::Font(const ControlFont& font) {
    for (const auto& [made, handle] : fonts_)
        if (SameFont(made, font)) return handle.Get();
    LOGFONTW f{};
    f.lfHeight = FontHeight(font.size, dpi_);
    f.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    f.lfUnderline = font.underline ? TRUE : FALSE;
    f.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Utf8ToWide(font.face);
    face.copy(f.lfFaceName, LF_FACESIZE - 1);
    fonts_.emplace_back(font, FontHandle(::CreateFontIndirectW(&f)));
    return fonts_.back().second.Get();
}

HBRUSH WinDialogWindow::Brush(Color color) {
    const COLORREF rgb = ToColorRef(color);
    auto& brush = brushes_[rgb];
    if (!brush) brush.Reset(::CreateSolidBrush(rgb));
    return brush.Get();
}

void WinDialogWindow::CreateControls(HINSTANCE instance) {
    const Color formBack = design_.backColor.value_or(kDialogFace);
    int id = kFirstControlId;
    for (const ControlDesign& c : design_.controls) {
        HWND parent = hwnd_;
        Color background = formBack;
        if (!c.container.empty()) {
            // Containers come before what they hold, as in the design.
            for (const auto& entry : controls_.Entries()) {
                if (entry.name == c.container) {
                    parent = entry.control->Handle();
                    background = entry.control->Background();
                }
            }
        }
        auto control = std::make_unique<WinFormControl>(instance, parent, c, Bounds(c), id++,
                                                        Font(c.font.value_or(design_.font)), background,
                                                        design_.bar.look.backColorTo);
        if (!c.chooserLabel.empty()) control->SetChooserLabel(ControlHandle(c.chooserLabel));  // made before it
        controls_.Add(c.name, c.index, std::move(control));
    }
}

RECT WinDialogWindow::Bounds(const ControlDesign& c) const {
    RECT bounds{Pixels(c.left), Pixels(c.top), Pixels(c.left + c.width), Pixels(c.top + c.height)};
    if (c.kind == ControlKind::Line) {
        // One pixel thick, from its start to its end.
        bounds.right = std::max(bounds.right, bounds.left + 1);
        bounds.bottom = std::max(bounds.bottom, bounds.top + 1);
    }
    return bounds;
}

void WinDialogWindow::OnDpiChanged(int dpi, const RECT* suggested) {
    if (!hwnd_ || dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    // The controls take the new fonts before the old ones go.
    auto oldFonts = std::move(fonts_);
    fonts_.clear();
    for (const auto& entry : controls_.Entries()) {
        const ControlDesign& c = entry.control->Design();
        const RECT r = Bounds(c);
        ::MoveWindow(entry.control->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        entry.control->SetDpi(dpi);
        ::SendMessageW(entry.control->Handle(), WM_SETFONT,
                       reinterpret_cast<WPARAM>(Font(c.font.value_or(design_.font))), TRUE);
    }
    if (bar_) bar_->SetDpi(dpi);
    RECT frame{0, 0, Pixels(design_.clientWidth), Pixels(design_.clientHeight)};
    AdjustWindowRectForDpi(frame, kStyle, ExStyleOf(design_.border), dpi);
    const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{};
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | (suggested ? 0 : SWP_NOMOVE));
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

WinFormControl* WinDialogWindow::ControlById(int id) const {
    const int position = id - kFirstControlId;
    const auto& entries = controls_.Entries();
    if (position < 0 || position >= static_cast<int>(entries.size())) return nullptr;
    return entries[static_cast<size_t>(position)].control.get();
}

WinFormControl* WinDialogWindow::ControlByWindow(HWND window) const {
    for (const auto& entry : controls_.Entries())
        if (entry.control->Handle() == window) return entry.control.get();
    return nullptr;
}

HWND WinDialogWindow::ControlHandle(const std::string& name, std::int32_t index) const {
    const WinFormControl* control = controls_.Find(name, index);
    return control ? control->Handle() : nullptr;
}

std::string WinDialogWindow::Caption() {
    if (!hwnd_) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return WideToUtf8(text);
}

void WinDialogWindow::SetCaption(const std::string& caption) {
    if (hwnd_) ::SetWindowTextW(hwnd_, Utf8ToWide(caption).c_str());
}

FormControl& WinDialogWindow::Control(const std::string& name, std::int32_t index) {
    return controls_.Get(name, index);
}

void WinDialogWindow::PlaceCentred(HWND owner) {
    RECT frame{};
    ::GetWindowRect(hwnd_, &frame);
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (design_.position == FormPosition::CenterOwner && owner) ::GetWindowRect(owner, &area);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinDialogWindow::FocusFirstControl() {
    for (const auto& entry : controls_.Entries()) {
        WinFormControl& c = *entry.control;
        if (!c.TakesFocus()) continue;
        if (c.Design().kind == ControlKind::ColorBox) {
            // The marked colour, where there is one, takes the focus.
            for (const auto& other : controls_.Entries())
                if (other.control->Design().kind == ControlKind::ColorBox && other.control->BorderStyle() == 1) {
                    ::SetFocus(other.control->Handle());
                    return;
                }
        }
        if (c.Design().kind == ControlKind::OptionButton) {
            // A group takes the focus on its selected button.
            for (const auto& other : controls_.Entries())
                if (other.control->Design().kind == ControlKind::OptionButton &&
                    other.control->Design().container == c.Design().container && other.control->Value()) {
                    ::SetFocus(other.control->Handle());
                    return;
                }
        }
        ::SetFocus(c.Handle());
        return;
    }
    ::SetFocus(hwnd_);
}

void WinDialogWindow::ShowModal(WindowHandle ownerHandle) {
    if (!hwnd_) Raise(err::kObjectNotSet);
    if (::IsWindowVisible(hwnd_)) Raise(err::kFormAlreadyShown);
    HWND owner = reinterpret_cast<HWND>(ownerHandle);
    if (owner && !::IsWindow(owner)) owner = nullptr;
    // A pop-up's owner is set through its "parent" slot.
    ::SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    PlaceCentred(owner);
    disabled_.Disable(owner, hwnd_);
    modal_ = true;
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
    FocusFirstControl();

    MSG msg;
    while (modal_) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: the outer loop must see the quit too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            EndModal();
            break;
        }
        if (got == -1) {
            EndModal();
            break;
        }
        if (hwnd_ && ::IsDialogMessageW(hwnd_, &msg)) continue;  // Tab, Escape
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void WinDialogWindow::EndModal() {
    const bool wasModal = modal_;
    modal_ = false;
    // The windows around come back before the dialog hides, so that the
    // activation returns to them rather than to another program.
    disabled_.Restore();
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
    if (wasModal && hwnd_) {
        if (HWND owner = ::GetWindow(hwnd_, GW_OWNER)) ::SetActiveWindow(owner);
    }
}

void WinDialogWindow::Hide() { EndModal(); }

void WinDialogWindow::Destroy() {
    EndModal();
    if (hwnd_) ::DestroyWindow(hwnd_);
}

void WinDialogWindow::WindowDestroyed() {
    hwnd_ = nullptr;
    modal_ = false;
}

LRESULT WinDialogWindow::ControlColors(HDC dc, HWND control) {
    const WinFormControl* c = ControlByWindow(control);
    const Color back = c ? c->Background() : design_.backColor.value_or(kDialogFace);
    ::SetTextColor(dc, ToColorRef(c ? c->Design().foreColor : kSystemWindowText));
    ::SetBkColor(dc, ToColorRef(back));
    return reinterpret_cast<LRESULT>(Brush(back));
}

LRESULT WinDialogWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LayoutDpiQuery()) return dpi_;
    switch (message) {
    case WM_NCCREATE:
        hwnd_ = hwnd;
        break;
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(design_.backColor.value_or(kDialogFace)));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        // The clickable controls (colour boxes, the address) show the hand.
        if (const WinFormControl* c = ControlByWindow(reinterpret_cast<HWND>(wParam)); c && c->Design().clickable) {
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
            return TRUE;
        }
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {  // Escape
            events_.CloseRequested();
            return 0;
        }
        if (id == IDOK && bar_) {  // Enter where no control wants it
            ConfirmThroughBar(*bar_);
            return 0;
        }
        const WinFormControl* c = ControlById(id);
        if (c && c->Design().clickable && HIWORD(wParam) == BN_CLICKED)  // STN_CLICKED is the same code
            events_.ControlClick(c->Design().name, c->Design().index);
        return 0;
    }
    case WM_DPICHANGED:  // moved to a screen of another DPI: laid out again for it
        OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:  // the close box, Alt+F4: the dialog's logic unloads it
        events_.CloseRequested();
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace brackwell::win

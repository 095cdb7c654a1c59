#include "adapters/windows/forms/win_form_control.h"

#include "adapters/windows/common/utf.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

FormBox::Kind BoxKind(ControlKind kind) {
    switch (kind) {
    case ControlKind::Container: return FormBox::Kind::Container;
    case ControlKind::Picture: return FormBox::Kind::Picture;
    case ControlKind::Line: return FormBox::Kind::Line;
    default: return FormBox::Kind::ColorBox;
    }
}

bool IsBox(ControlKind kind) {
    return kind == ControlKind::ColorBox || kind == ControlKind::Container || kind == ControlKind::Picture ||
           kind == ControlKind::Line;
}

struct SystemControl {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

SystemControl SystemControlFor(const ControlDesign& d) {
    switch (d.kind) {
    case ControlKind::OptionButton:
        return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP | (d.wrap ? BS_MULTILINE : 0u), 0};
    case ControlKind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP | (d.wrap ? BS_MULTILINE : 0u), 0};
    case ControlKind::TextBox:
        return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP | (d.password ? ES_PASSWORD : 0u),
                d.borderStyle == 1 ? WS_EX_CLIENTEDGE : 0u};
    default:  // labels wrap at their width, as VB's do; "&&" shows one "&"
        return {L"STATIC", SS_LEFT | (d.clickable ? SS_NOTIFY : 0u), 0};
    }
}

}  // namespace

WinFormControl::WinFormControl(HINSTANCE instance, HWND parent, const ControlDesign& design, const RECT& bounds,
                               int id, HFONT font, Color background, Color stripTo)
    : design_(design), background_(design.backColor.value_or(background)) {
    if (IsBox(design.kind)) {
        const Color fill = design.kind == ControlKind::Line ? design.foreColor : background_;
        box_ = std::make_unique<FormBox>(instance, parent, bounds, id, BoxKind(design.kind), fill, stripTo,
                                         design.image);
        box_->SetFramed(design.borderStyle == 1);
        return;
    }
    const SystemControl c = SystemControlFor(design);
    const std::wstring text = Utf8ToWide(design.caption);
    hwnd_ = ::CreateWindowExW(c.exStyle, c.className, text.c_str(), WS_CHILD | WS_VISIBLE | c.style, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!hwnd_) Raise(err::kInvalidCall, "Ein Steuerelement des Dialogs konnte nicht erstellt werden");
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (design.password) ::SendMessageW(hwnd_, EM_SETPASSWORDCHAR, L'*', 0);
}

WinFormControl::~WinFormControl() = default;

HWND WinFormControl::Handle() const { return box_ ? box_->Handle() : hwnd_; }

bool WinFormControl::TakesFocus() const {
    HWND h = Handle();
    return h && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_TABSTOP) && ::IsWindowEnabled(h);
}

bool WinFormControl::HasCaption() const {
    return design_.kind == ControlKind::Label || design_.kind == ControlKind::OptionButton ||
           design_.kind == ControlKind::CheckBox;
}

std::string WinFormControl::WindowText() const {
    HWND h = Handle();
    if (!h || !::IsWindow(h)) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return WideToUtf8(text);
}

std::string WinFormControl::Caption() { return HasCaption() ? WindowText() : std::string(); }

void WinFormControl::SetCaption(const std::string& caption) {
    if (HasCaption() && hwnd_) ::SetWindowTextW(hwnd_, Utf8ToWide(caption).c_str());
}

std::string WinFormControl::Text() { return design_.kind == ControlKind::TextBox ? WindowText() : std::string(); }

void WinFormControl::SetText(const std::string& text) {
    if (design_.kind == ControlKind::TextBox && hwnd_) ::SetWindowTextW(hwnd_, Utf8ToWide(text).c_str());
}

Color WinFormControl::BackColor() { return box_ && design_.kind != ControlKind::Line ? box_->Fill() : background_; }

void WinFormControl::SetBackColor(Color color) {
    if (box_ && design_.kind != ControlKind::Line) {
        box_->SetFill(color);
        return;
    }
    background_ = color;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

std::int32_t WinFormControl::BorderStyle() {
    if (box_) return box_->Framed() ? 1 : 0;
    if (design_.kind == ControlKind::TextBox && hwnd_)
        return (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 1 : 0;
    return 0;
}

void WinFormControl::SetBorderStyle(std::int32_t style) {
    if (box_ && design_.kind != ControlKind::Line) box_->SetFramed(style == 1);
}

std::int32_t WinFormControl::Value() {
    if (design_.kind != ControlKind::OptionButton && design_.kind != ControlKind::CheckBox) return 0;
    return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void WinFormControl::SetValue(std::int32_t value) {
    if (design_.kind != ControlKind::OptionButton && design_.kind != ControlKind::CheckBox) return;
    const bool checked = value != 0;
    ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked || design_.kind != ControlKind::OptionButton) return;
    // As VB's Value = True: the others of the group (the radio buttons of the
    // same parent window) are cleared.
    HWND parent = ::GetParent(hwnd_);
    for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != hwnd_ && (::SendMessageW(sibling, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            ::SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

}  // namespace brackwell::win

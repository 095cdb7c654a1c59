#include "adapters/windows/forms/box_accessible.h"

#include <string>

#include "adapters/windows/controls/accessible_object.h"
#include "adapters/windows/controls/color_ref.h"
#include "adapters/windows/forms/form_box.h"

namespace brackwell::win {
namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A label's text as it shows: "&&" is one "&", a lone "&" marks the access key.
std::wstring ShownText(const std::wstring& text) {
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size()) break;
        shown += text[i];
    }
    return shown;
}

}  // namespace

class BoxAccessible final : public AccessibleObject {
public:
    explicit BoxAccessible(FormBox& box) : AccessibleObject(box.Handle()), box_(&box) {}
    void Drop() {
        Disconnect();
        box_ = nullptr;
    }

private:
    std::wstring Name(long) override {
        HWND label = box_->ChooserLabel();
        return label ? ShownText(WindowText(label)) : ColorText();
    }
    std::wstring Value(long) override { return box_->ChooserLabel() ? ColorText() : std::wstring(); }
    long Role(long) override { return box_->ChooserLabel() ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_RADIOBUTTON; }
    long State(long) override {
        long state = StandardState() | STATE_SYSTEM_FOCUSABLE;
        if (box_->ChooserLabel()) return state;  // its frame marks no choice
        state |= STATE_SYSTEM_SELECTABLE;
        if (box_->Framed()) state |= STATE_SYSTEM_CHECKED | STATE_SYSTEM_SELECTED;
        return state;
    }
    RECT Place(long) override {
        RECT r{};
        ::GetWindowRect(Window(), &r);  // the frame of a marked box included
        return r;
    }
    std::wstring DefaultAction(long) override { return box_->ChooserLabel() ? L"Drücken" : L"Auswählen"; }
    bool DoDefault(long) override {
        box_->PostClick();
        return true;
    }
    long FocusedId() override { return ::GetFocus() == Window() ? CHILDID_SELF : -1; }

    std::wstring ColorText() const {
        const COLORREF c = ToColorRef(box_->Fill());
        return L"RGB(" + std::to_wstring(GetRValue(c)) + L", " + std::to_wstring(GetGValue(c)) + L", " +
               std::to_wstring(GetBValue(c)) + L")";
    }

    FormBox* box_;
};

BoxAccessibility::BoxAccessibility(FormBox& box) : box_(box) {}

BoxAccessibility::~BoxAccessibility() { Disconnect(); }

LRESULT BoxAccessibility::Answer(WPARAM wParam, LPARAM lParam) {
    if (!box_.Handle()) return 0;
    if (!object_) object_ = MakeComObject<BoxAccessible>(box_);
    return AccessibleObject::Answer(object_.Get(), wParam, lParam);
}

void BoxAccessibility::Disconnect() {
    if (object_) object_->Drop();
    object_.Reset();
}

}  // namespace brackwell::win

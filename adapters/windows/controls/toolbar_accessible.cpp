#include "adapters/windows/controls/toolbar_accessible.h"

#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/accessible_object.h"
#include "adapters/windows/controls/toolbar.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kPress[] = L"Drücken";
constexpr wchar_t kRun[] = L"Ausführen";

std::wstring ButtonName(const ToolbarButton& b) {
    if (!b.text.empty()) return Utf8ToWide(b.text);
    if (!b.tooltipTitle.empty() && !b.tooltipText.empty())
        return Utf8ToWide(b.tooltipTitle) + L": " + Utf8ToWide(b.tooltipText);
    if (!b.tooltipTitle.empty() || !b.tooltipText.empty()) return Utf8ToWide(b.tooltipTitle + b.tooltipText);
    // A picture alone: its menu's first item says what the click does ("Info").
    return b.menu.empty() ? std::wstring() : Utf8ToWide(b.menu.front().caption);
}

bool IsSeparator(const ToolbarButton& b) { return b.style == toolbar_style::kSeparator; }
bool IsDropDown(const ToolbarButton& b) { return b.style == toolbar_style::kDropDown; }

RECT OnScreen(HWND window, RECT r) {
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What a button says of itself, alike in the bar and as an object of its own.
struct ButtonFacts {
    const WinToolbar& bar;
    int index;

    const ToolbarButton& Design() const { return bar.ButtonDesign(index); }
    long Role() const {
        if (IsSeparator(Design())) return ROLE_SYSTEM_SEPARATOR;
        return IsDropDown(Design()) ? ROLE_SYSTEM_BUTTONDROPDOWN : ROLE_SYSTEM_PUSHBUTTON;
    }
    long State() const {
        long state = ::IsWindowVisible(bar.Handle()) ? 0 : STATE_SYSTEM_INVISIBLE;
        if (IsSeparator(Design())) return state;
        if (IsDropDown(Design())) state |= STATE_SYSTEM_HASPOPUP;
        if (!bar.ButtonEnabledAt(index)) return state | STATE_SYSTEM_UNAVAILABLE;
        state |= STATE_SYSTEM_FOCUSABLE;
        if (bar.FocusIndex() == index && ::GetFocus() == bar.Handle()) state |= STATE_SYSTEM_FOCUSED;
        if (bar.ButtonDown(index)) state |= STATE_SYSTEM_PRESSED;
        return state;
    }
    std::wstring Description() const {
        const ToolbarButton& b = Design();
        return b.text.empty() ? std::wstring() : Utf8ToWide(b.tooltipText);
    }
    std::wstring Action() const { return IsSeparator(Design()) ? std::wstring() : kPress; }
    RECT Place() const { return OnScreen(bar.Handle(), bar.ButtonRectAt(index)); }
    bool Press(WinToolbar& target) const {
        if (IsSeparator(Design()) || !bar.ButtonEnabledAt(index)) return false;
        target.PostClick(index);
        return true;
    }
};

// A drop-down button as an object of its own: its menu's items are its children.
class DropDownAccessible final : public AccessibleObject {
public:
    DropDownAccessible(WinToolbar& bar, int index, IAccessible& parent)
        : AccessibleObject(bar.Handle()), bar_(&bar), index_(index), parent_(&parent) {}
    void Drop() {
        Disconnect();
        bar_ = nullptr;
        parent_ = nullptr;
    }

private:
    ButtonFacts Facts() const { return {*bar_, index_}; }
    const std::vector<ToolbarMenuItem>& Items() const { return bar_->ButtonDesign(index_).menu; }

    long Count() override { return static_cast<long>(Items().size()); }
    std::wstring Name(long id) override {
        return id == CHILDID_SELF ? ButtonName(Facts().Design()) : Utf8ToWide(Items()[id - 1].caption);
    }
    std::wstring Description(long id) override { return id == CHILDID_SELF ? Facts().Description() : L""; }
    long Role(long id) override { return id == CHILDID_SELF ? Facts().Role() : ROLE_SYSTEM_MENUITEM; }
    long State(long id) override {
        const long button = Facts().State();
        if (id == CHILDID_SELF) return button;
        return button & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
    }
    RECT Place(long) override { return Facts().Place(); }  // the items show below it only while open
    std::wstring DefaultAction(long id) override { return id == CHILDID_SELF ? Facts().Action() : kRun; }
    bool DoDefault(long id) override {
        if (id == CHILDID_SELF) return Facts().Press(*bar_);
        if (!bar_->ButtonEnabledAt(index_)) return false;
        bar_->PostClick(index_, id - 1);
        return true;
    }
    long FocusedId() override { return Facts().State() & STATE_SYSTEM_FOCUSED ? CHILDID_SELF : -1; }
    IDispatch* ParentObject() override {
        parent_->AddRef();
        return parent_;
    }

    WinToolbar* bar_;
    int index_;
    IAccessible* parent_;  // the bar's object, alive while this one is connected
};

}  // namespace

class BarAccessible final : public AccessibleObject {
public:
    explicit BarAccessible(WinToolbar& bar) : AccessibleObject(bar.Handle()), bar_(&bar) {
        dropDowns_.resize(static_cast<size_t>(bar.ButtonCount()));
    }
    void Drop() {
        Disconnect();
        bar_ = nullptr;
        for (auto& d : dropDowns_)
            if (d) d->Drop();
    }

private:
    ButtonFacts Facts(long id) const { return {*bar_, static_cast<int>(id - 1)}; }

    long Count() override { return bar_->ButtonCount(); }
    std::wstring Name(long id) override {
        return id == CHILDID_SELF ? std::wstring() : ButtonName(Facts(id).Design());
    }
    std::wstring Description(long id) override { return id == CHILDID_SELF ? L"" : Facts(id).Description(); }
    long Role(long id) override { return id == CHILDID_SELF ? ROLE_SYSTEM_TOOLBAR : Facts(id).Role(); }
    long State(long id) override { return id == CHILDID_SELF ? StandardState() : Facts(id).State(); }
    RECT Place(long id) override { return id == CHILDID_SELF ? StandardPlace() : Facts(id).Place(); }
    std::wstring DefaultAction(long id) override { return id == CHILDID_SELF ? L"" : Facts(id).Action(); }
    bool DoDefault(long id) override { return id != CHILDID_SELF && Facts(id).Press(*bar_); }
    long FocusedId() override {
        if (::GetFocus() != Window()) return -1;
        return bar_->FocusIndex() + 1;  // the bar itself (0) while no button is marked
    }
    long IdAt(POINT screen) override {
        ::ScreenToClient(Window(), &screen);
        for (int i = 0; i < bar_->ButtonCount(); ++i) {
            const RECT r = bar_->ButtonRectAt(i);
            if (::PtInRect(&r, screen)) return i + 1;
        }
        return -1;
    }
    IDispatch* ChildObject(long id) override {
        const ToolbarButton& b = Facts(id).Design();
        if (!IsDropDown(b) || b.menu.empty()) return nullptr;
        auto& object = dropDowns_[static_cast<size_t>(id - 1)];
        if (!object) object = MakeComObject<DropDownAccessible>(*bar_, static_cast<int>(id - 1), *this);
        object->AddRef();
        return object.Get();
    }

    WinToolbar* bar_;
    std::vector<ComPtr<DropDownAccessible>> dropDowns_;
};

ToolbarAccessibility::ToolbarAccessibility(WinToolbar& bar) : bar_(bar) {}

ToolbarAccessibility::~ToolbarAccessibility() { Disconnect(); }

LRESULT ToolbarAccessibility::Answer(WPARAM wParam, LPARAM lParam) {
    if (!bar_.Handle()) return 0;
    if (!root_) root_ = MakeComObject<BarAccessible>(bar_);
    return AccessibleObject::Answer(root_.Get(), wParam, lParam);
}

void ToolbarAccessibility::Disconnect() {
    if (root_) root_->Drop();
    root_.Reset();
}

}  // namespace brackwell::win

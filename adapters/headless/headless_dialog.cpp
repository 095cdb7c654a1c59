#include "adapters/headless/headless_dialog.h"

#include "host/automation_error.h"
#include "host/forms.h"

namespace brackwell::headless {
namespace {

// What shows behind a control without a colour of its own: its container's
// background, or the form's.
Color BackgroundOf(const FormDesign& form, const ControlDesign& control, Color formBack) {
    for (const ControlDesign& holder : form.controls)
        if (!control.container.empty() && holder.name == control.container) return holder.backColor.value_or(formBack);
    return formBack;
}

}  // namespace

HeadlessDialog::HeadlessDialog(HeadlessWindowSystem& windows, HeadlessDialogUser& user, const FormDesign& design,
                               DialogEvents& events)
    : windows_(windows),
      user_(user),
      design_(design),
      events_(events),
      bar_(std::make_shared<HeadlessToolbar>(design.bar)),
      caption_(design.caption) {
    const Color formBack = design.backColor.value_or(kDialogBackground);
    for (const ControlDesign& c : design.controls) {
        auto& control = controls_.Add(
            c.name, c.index, std::make_unique<HeadlessFormControl>(c, BackgroundOf(design, c, formBack)));
        if (c.kind == ControlKind::OptionButton)
            control.SetOnSelected([this](HeadlessFormControl& selected) { SelectInGroup(selected); });
    }
    const WindowRect screen = windows_.ScreenRect(HeadlessWindowSystem::kDesktop);
    const std::int32_t width = design.clientWidth / kTwipsPerPixel;
    const std::int32_t height = design.clientHeight / kTwipsPerPixel;
    hwnd_ = windows_.NewWindow(kWindowClass, caption_, 0, (screen.right - width) / 2, (screen.bottom - height) / 2,
                               width, height);
    windows_.SetVisible(hwnd_, false);
}

HeadlessDialog::~HeadlessDialog() {
    if (hwnd_) windows_.DestroyWindow(hwnd_);
}

void HeadlessDialog::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (hwnd_) windows_.SetTitle(hwnd_, caption);
}

FormControl& HeadlessDialog::Control(const std::string& name, std::int32_t index) {
    return controls_.Get(name, index);
}

HeadlessFormControl& HeadlessDialog::Headless(const std::string& name, std::int32_t index) {
    return controls_.Get(name, index);
}

void HeadlessDialog::SelectInGroup(HeadlessFormControl& selected) {
    for (const auto& entry : controls_.Entries()) {
        HeadlessFormControl& other = *entry.control;
        if (&other != &selected && other.Design().kind == ControlKind::OptionButton &&
            other.Design().container == selected.Design().container)
            other.Deselect();
    }
}

DialogShowing HeadlessDialog::View(WindowHandle owner) {
    DialogShowing view;
    view.form = design_.name;
    view.caption = caption_;
    view.owner = owner;
    for (const auto& entry : controls_.Entries()) {
        HeadlessFormControl& c = *entry.control;
        view.controls.push_back(ControlView{entry.name, entry.index, c.Design().kind, c.Caption(), c.Text(),
                                            c.BackColor(), c.BorderStyle(), c.Value()});
    }
    view.barStyle = bar_->VisualStyle();
    for (const ToolbarButton& b : design_.bar.buttons)
        if (!b.key.empty()) view.barEnabled[b.key] = bar_->ButtonEnabled(b.key);
    return view;
}

void HeadlessDialog::ShowModal(WindowHandle owner) {
    if (shown_) Raise(err::kFormAlreadyShown);
    if (!hwnd_) Raise(err::kObjectNotSet);
    shown_ = true;
    windows_.SetVisible(hwnd_, true);
    user_.Record(View(owner));

    const DialogScript script = user_.TakeScript(design_.name);
    for (const DialogScript::Action& action : script.Actions()) {
        if (!shown_) {
            user_.AddScriptError(design_.name + " closed before " + action.Describe());
            break;
        }
        Perform(action);
    }
    if (shown_) events_.CloseRequested();  // the user is done: the close box
    if (shown_) {
        // A real dialog would wait for ever; a test hears of it instead.
        user_.AddScriptError(design_.name + " stayed open after its close box");
        Hide();
    }
}

void HeadlessDialog::Perform(const DialogScript::Action& action) {
    using Kind = DialogScript::Action::Kind;
    if (action.kind == Kind::Look) {
        action.look(*this);
        return;
    }
    if (action.kind == Kind::CloseBox) {
        events_.CloseRequested();
        return;
    }
    if (action.kind == Kind::Press) {
        if (!bar_->Button(action.name)) user_.AddScriptError(design_.name + " has no bar button " + action.name);
        bar_->Click(action.name);  // a disabled button takes the press and does nothing
        return;
    }
    HeadlessFormControl* control = nullptr;
    try {
        control = &controls_.Get(action.name, action.index);
    } catch (const AutomationError&) {
        user_.AddScriptError(design_.name + " has nothing for " + action.Describe());
        return;
    }
    const ControlDesign& d = control->Design();
    if (action.kind == Kind::Type) {
        if (d.kind != ControlKind::TextBox) user_.AddScriptError(action.Describe() + ", which is no text box");
        control->SetText(control->Text() + action.text);
    } else if (d.kind == ControlKind::OptionButton) {
        control->SetValue(1);
    } else if (d.kind == ControlKind::CheckBox) {
        control->SetValue(control->Value() ? 0 : 1);
    } else if (d.clickable) {
        events_.ControlClick(action.name, action.index);
    }
}

void HeadlessDialog::Hide() {
    shown_ = false;
    if (hwnd_) windows_.SetVisible(hwnd_, false);
}

void HeadlessDialog::Destroy() {
    shown_ = false;
    if (hwnd_) windows_.DestroyWindow(hwnd_);
    hwnd_ = 0;
}

}  // namespace brackwell::headless

#pragma once
// The user of the headless dialogs: what they do at each showing of a
// dialog, scripted beforehand per dialog name, and a record of what they saw
// each time a dialog opened. With nothing scripted the user closes the
// dialog with its close box.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/dialog_form.h"

namespace brackwell::headless {

class HeadlessDialog;

// A control as the user saw it when the dialog opened.
struct ControlView {
    std::string name;
    std::int32_t index = -1;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    std::string text;
    Color backColor = 0;
    std::int32_t borderStyle = 0;
    std::int32_t value = 0;
};

// One showing of a dialog.
struct DialogShowing {
    std::string form;  // the design's name, "frmPwd"
    std::string caption;
    WindowHandle owner = 0;
    std::vector<ControlView> controls;
    std::int32_t barStyle = 0;
    std::map<std::string, bool> barEnabled;  // by button key

    // ScriptError when the dialog has no such control.
    const ControlView& Control(const std::string& name, std::int32_t index = -1) const;
};

// The user's actions during one showing, in order.
class DialogScript {
public:
    struct Action {
        enum class Kind { Type, Click, Press, CloseBox, Look };
        Kind kind = Kind::CloseBox;
        std::string name;  // control name, or the bar button's key
        std::int32_t index = -1;
        std::string text;
        std::function<void(HeadlessDialog&)> look;

        std::string Describe() const;
    };

    // Types `text` at the end of a text box's text.
    DialogScript& Type(std::string control, std::string text);
    // Clicks a control: an option button is selected, a check box toggles,
    // a clickable control reports its click.
    DialogScript& Click(std::string control, std::int32_t index = -1);
    // Presses a bar button; a disabled one does nothing.
    DialogScript& Press(std::string key);
    DialogScript& CloseBox();
    // Lets the test look at the open dialog at this point.
    DialogScript& Look(std::function<void(HeadlessDialog&)> look);

    const std::vector<Action>& Actions() const { return actions_; }

private:
    std::vector<Action> actions_;
};

class HeadlessDialogUser {
public:
    // The script of the next showing of `form` not yet given one.
    DialogScript& Next(const std::string& form) { return scripts_[form].emplace_back(); }
    std::size_t PendingScripts(const std::string& form) const;

    const std::vector<DialogShowing>& Showings() const { return showings_; }
    const DialogShowing& LastShowing() const;  // ScriptError when none
    // Script steps the user could not take (a control the dialog lacks, the
    // dialog closed before the step); kept here, as no handler must see them.
    const std::vector<std::string>& ScriptErrors() const { return scriptErrors_; }
    std::vector<std::string> TakeScriptErrors() { return std::exchange(scriptErrors_, {}); }

    // For the dialogs.
    DialogScript TakeScript(const std::string& form);
    void Record(DialogShowing showing) { showings_.push_back(std::move(showing)); }
    void AddScriptError(std::string what) { scriptErrors_.push_back(std::move(what)); }

private:
    std::map<std::string, std::deque<DialogScript>> scripts_;
    std::vector<DialogShowing> showings_;
    std::vector<std::string> scriptErrors_;
};

}  // namespace brackwell::headless

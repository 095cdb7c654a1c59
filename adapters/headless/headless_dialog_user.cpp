#include "adapters/headless/headless_dialog_user.h"

#include "adapters/headless/script_error.h"

namespace brackwell::headless {

const ControlView& DialogShowing::Control(const std::string& name, std::int32_t index) const {
    for (const ControlView& c : controls)
        if (c.name == name && c.index == index) return c;
    throw ScriptError(form + " has no control " + name + "(" + std::to_string(index) + ")");
}

std::string DialogScript::Action::Describe() const {
    switch (kind) {
    case Kind::Type: return "typing into " + name;
    case Kind::Click: return "a click on " + name + "(" + std::to_string(index) + ")";
    case Kind::Press: return "pressing " + name;
    case Kind::CloseBox: return "the close box";
    case Kind::Look: return "a look";
    }
    return {};
}

DialogScript& DialogScript::Type(std::string control, std::string text) {
    actions_.push_back({Action::Kind::Type, std::move(control), -1, std::move(text), {}});
    return *this;
}

DialogScript& DialogScript::Click(std::string control, std::int32_t index) {
    actions_.push_back({Action::Kind::Click, std::move(control), index, {}, {}});
    return *this;
}

DialogScript& DialogScript::Press(std::string key) {
    actions_.push_back({Action::Kind::Press, std::move(key), -1, {}, {}});
    return *this;
}

DialogScript& DialogScript::CloseBox() {
    actions_.push_back({Action::Kind::CloseBox, {}, -1, {}, {}});
    return *this;
}

DialogScript& DialogScript::Look(std::function<void(HeadlessDialog&)> look) {
    actions_.push_back({Action::Kind::Look, {}, -1, {}, std::move(look)});
    return *this;
}

std::size_t HeadlessDialogUser::PendingScripts(const std::string& form) const {
    const auto found = scripts_.find(form);
    return found == scripts_.end() ? 0 : found->second.size();
}

const DialogShowing& HeadlessDialogUser::LastShowing() const {
    if (showings_.empty()) throw ScriptError("no dialog was shown");
    return showings_.back();
}

DialogScript HeadlessDialogUser::TakeScript(const std::string& form) {
    const auto found = scripts_.find(form);
    if (found == scripts_.end() || found->second.empty()) return {};
    DialogScript script = std::move(found->second.front());
    found->second.pop_front();
    return script;
}

}  // namespace brackwell::headless

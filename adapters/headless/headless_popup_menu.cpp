#include "adapters/headless/headless_popup_menu.h"

#include <utility>

#include "adapters/headless/script_error.h"
#include "host/automation_error.h"

namespace brackwell::headless {

std::vector<std::string> ShownPopup::Captions() const {
    std::vector<std::string> captions;
    for (const PopupItem& item : items) captions.push_back(item.caption);
    return captions;
}

void HeadlessPopupMenu::AddItem(const std::string& caption, const std::string& key,
                                std::optional<std::int32_t> image, bool enabled) {
    items_.push_back(PopupItem{caption, key, image, enabled, false});
}

std::int32_t HeadlessPopupMenu::ShowPopup(std::int32_t x, std::int32_t y) {
    if (whileOpen_) std::exchange(whileOpen_, nullptr)();
    ShownPopup shown{x, y, items_, visualStyle_, fontFace_, fontSize_, kDismissed};
    if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.pop_front();
        try {
            shown.answer = Resolve(answer);
        } catch (const ScriptError& mistake) {
            scriptErrors_.push_back(mistake.what());
            history_.push_back(std::move(shown));
            throw;
        }
    }
    history_.push_back(shown);
    return shown.answer;
}

void HeadlessPopupMenu::SetItemChecked(const std::string& key, bool checked) {
    for (PopupItem& item : items_) {
        if (!key.empty() && item.key == key) {
            item.checked = checked;
            return;
        }
    }
    Raise(err::kElementNotFound);
}

std::string HeadlessPopupMenu::ItemKey(std::int32_t position) {
    if (position < 1 || position > static_cast<std::int32_t>(items_.size())) Raise(err::kSubscriptOutOfRange);
    return items_[static_cast<std::size_t>(position - 1)].key;
}

void HeadlessPopupMenu::SetFont(const std::string& face, double size) {
    fontFace_ = face;
    fontSize_ = size;
}

void HeadlessPopupMenu::ChooseNext(std::int32_t position) { answers_.emplace_back(position); }

void HeadlessPopupMenu::ChooseNextByCaption(const std::string& caption) { answers_.emplace_back(caption); }

void HeadlessPopupMenu::DismissNext() { answers_.emplace_back(kDismissed); }

const ShownPopup& HeadlessPopupMenu::LastShown() const {
    if (history_.empty()) throw ScriptError("the popup menu was never shown");
    return history_.back();
}

std::int32_t HeadlessPopupMenu::Resolve(const Answer& answer) const {
    std::int32_t position = kDismissed;
    if (const auto* caption = std::get_if<std::string>(&answer)) {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].caption == *caption) {
                position = static_cast<std::int32_t>(i + 1);
                break;
            }
        }
        if (position == kDismissed) throw ScriptError("the menu has no item \"" + *caption + "\"");
    } else {
        position = std::get<std::int32_t>(answer);
        if (position == kDismissed) return kDismissed;
        if (position < 1 || position > static_cast<std::int32_t>(items_.size()))
            throw ScriptError("the menu has no item at position " + std::to_string(position));
    }
    const PopupItem& item = items_[static_cast<std::size_t>(position - 1)];
    if (item.IsSeparator()) throw ScriptError("item " + std::to_string(position) + " is a separator");
    if (!item.enabled) throw ScriptError("item \"" + item.caption + "\" is disabled");
    return position;
}

}  // namespace brackwell::headless

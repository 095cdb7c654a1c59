#include "adapters/shared/tree_type_ahead.h"

#include <algorithm>
#include <vector>

#include "host/utf8.h"

namespace brackwell::shared {
namespace {

// The key was the search's, with nothing to select or sound.
TreeTypeAhead::Step Taken() {
    TreeTypeAhead::Step step;
    step.taken = true;
    return step;
}

// The first `letters` characters of a UTF-8 text.
std::string_view Leading(std::string_view text, std::size_t letters) {
    std::size_t end = 0;
    for (; end < text.size() && letters > 0; --letters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return text.substr(0, end);
}

}  // namespace

TreeTypeAhead::Step TreeTypeAhead::Type(const TreeModel& model, char32_t character, std::uint32_t ms) {
    if (character >= 0xD800 && character <= 0xDBFF) {
        highSurrogate_ = static_cast<char16_t>(character);
        return Taken();
    }
    if (character >= 0xDC00 && character <= 0xDFFF) {
        if (highSurrogate_ == 0) return Taken();  // half a character: nothing to look for
        character = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) + (character - 0xDC00);
    }
    highSurrogate_ = 0;
    if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return Step{};
    if (!Running(ms)) typed_.clear();
    typed_ += character;
    lastKey_ = ms;
    return Search(model);
}

TreeTypeAhead::Step TreeTypeAhead::Backspace(const TreeModel& model, std::uint32_t ms) {
    if (!Running(ms)) {
        typed_.clear();
        return Step{};
    }
    typed_.pop_back();
    lastKey_ = ms;
    if (typed_.empty()) return Taken();
    return Search(model);
}

bool TreeTypeAhead::Running(std::uint32_t ms) const {
    // Unsigned difference: right across the clock's wrap-around.
    return !typed_.empty() && ms - lastKey_ <= pause_;
}

TreeTypeAhead::Step TreeTypeAhead::Search(const TreeModel& model) const {
    const std::vector<TreeModel::NodePtr> order = model.DisplayOrder();
    const auto selected = std::find(order.begin(), order.end(), model.Selection());
    const bool anySelected = selected != order.end();
    const std::size_t at = anySelected ? static_cast<std::size_t>(selected - order.begin()) : 0;
    const auto firstStartingWith = [&](const std::u32string& letters, std::size_t from) -> TreeModel::NodePtr {
        std::string typed;
        for (const char32_t letter : letters) AppendUtf8(typed, letter);
        const std::string prefix = upperCase_(typed);
        for (std::size_t i = 0; i < order.size(); ++i) {
            const TreeModel::NodePtr& node = order[(from + i) % order.size()];
            // Only as many of the text's letters as were typed are compared,
            // which keeps long texts cheap.
            if (upperCase_(Leading(node->Text(), letters.size())).starts_with(prefix)) return node;
        }
        return nullptr;
    };
    const std::size_t after = anySelected ? at + 1 : 0;
    TreeModel::NodePtr match = firstStartingWith(typed_, typed_.size() == 1 ? after : at);
    const bool oneLetterRepeated =
        typed_.size() > 1 && std::all_of(typed_.begin(), typed_.end(), [&](char32_t c) { return c == typed_[0]; });
    if (!match && oneLetterRepeated) match = firstStartingWith(typed_.substr(0, 1), after);
    return Step{true, match, match == nullptr};
}

}  // namespace brackwell::shared

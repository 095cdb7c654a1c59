#pragma once
// Finding a node by typing the start of its text, as the system's tree view
// finds an item, but through the whole tree: the characters typed within a
// short pause of each other make the search, which runs in display order
// through collapsed branches too and wraps at the end. A search's first
// letter looks from the node after the selected one, so that the selected
// node's own initial moves on to the next node with it; the letters after it
// look from the selected node, so that typing more of its name keeps it.
// Typing the same letter again steps on to the next node starting with it,
// unless a node starts with the letters as typed. Case is ignored through
// the upper-casing the caller brings ("ü" finds "Übersicht").
//
// The caller brings the time of each key, so that tests can script it, and
// selects, reveals and beeps the way its control does.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "adapters/shared/tree_model.h"

namespace brackwell::shared {

class TreeTypeAhead {
public:
    // About one second, as the system's list controls wait (twice the
    // double-click time, 500 ms by default).
    static constexpr std::uint32_t kDefaultPause = 1000;

    struct Step {
        bool taken = false;        // the key was the search's, not the control's
        TreeModel::NodePtr match;  // the node to select, if any
        bool noMatch = false;      // nothing starts with the characters so far: beep
    };

    // Capitals of a UTF-8 text, one letter for one.
    using UpperCase = std::function<std::string(std::string_view)>;

    explicit TreeTypeAhead(UpperCase upperCase, std::uint32_t pauseMs = kDefaultPause)
        : upperCase_(std::move(upperCase)), pause_(pauseMs) {}

    // A typed character at `ms` (milliseconds of a clock that may wrap
    // around). Control characters are not taken; the first half of a UTF-16
    // surrogate pair is taken and waits for the second.
    Step Type(const TreeModel& model, char32_t character, std::uint32_t ms);
    // Takes back the last character while a search runs and looks again;
    // without a running search the key is not taken.
    Step Backspace(const TreeModel& model, std::uint32_t ms);

private:
    bool Running(std::uint32_t ms) const;
    Step Search(const TreeModel& model) const;

    UpperCase upperCase_;
    std::u32string typed_;
    char16_t highSurrogate_ = 0;
    std::uint32_t lastKey_ = 0;
    std::uint32_t pause_;
};

}  // namespace brackwell::shared

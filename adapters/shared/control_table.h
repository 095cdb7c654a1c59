#pragma once
// A form's controls by name and array index, in design order, with the
// lookup failures a VB form's code meets: error 9 for a name the form does
// not have, 340 for an array element that does not exist.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/automation_error.h"

namespace brackwell::shared {

template <class Control>
class ControlTable {
public:
    struct Entry {
        std::string name;
        std::int32_t index = -1;  // -1: a single control, not an array element
        std::unique_ptr<Control> control;
    };

    Control& Add(std::string name, std::int32_t index, std::unique_ptr<Control> control) {
        entries_.push_back(Entry{std::move(name), index, std::move(control)});
        return *entries_.back().control;
    }

    Control* Find(const std::string& name, std::int32_t index) const noexcept {
        for (const Entry& e : entries_)
            if (e.name == name && e.index == index) return e.control.get();
        return nullptr;
    }

    Control& Get(const std::string& name, std::int32_t index) const {
        if (Control* found = Find(name, index)) return *found;
        for (const Entry& e : entries_)
            if (e.name == name) Raise(err::kNoSuchControlElement);
        Raise(err::kSubscriptOutOfRange);
    }

    const std::vector<Entry>& Entries() const noexcept { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace brackwell::shared

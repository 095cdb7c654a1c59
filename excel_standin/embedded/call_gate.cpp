#include "excel_standin/embedded/call_gate.h"

#include <optional>
#include <stdexcept>

#include "host/automation_error.h"

namespace brackwell::embedded {

void CallGate::Pass(std::string_view member, const Workbook* workbook, std::string_view item) {
    if (observer_) observer_(HostCall{member, workbook, item});
    ++total_;
    auto counted = counts_.find(member);
    if (counted == counts_.end()) counted = counts_.emplace(std::string(member), 0).first;
    ++counted->second;

    if (!anyMemberFaults_.empty()) {
        std::optional<Fault> due;
        for (auto it = anyMemberFaults_.begin(); it != anyMemberFaults_.end();) {
            if (--it->remaining == 0) {
                if (!due) due = *it;
                it = anyMemberFaults_.erase(it);
            } else {
                ++it;
            }
        }
        if (due) throw AutomationError(due->number, due->description);
    }
    if (faults_.empty()) return;
    auto rules = faults_.find(member);
    if (rules == faults_.end()) return;

    // Count down every one-time rule; the first that is due fires, all due ones go.
    std::optional<Fault> due;
    std::optional<Fault> always;
    auto& list = rules->second;
    for (auto it = list.begin(); it != list.end();) {
        if (it->remaining == 0) {
            if (!always) always = *it;
            ++it;
        } else if (--it->remaining == 0) {
            if (!due) due = *it;
            it = list.erase(it);
        } else {
            ++it;
        }
    }
    if (list.empty()) faults_.erase(rules);
    if (due) throw AutomationError(due->number, due->description);
    if (always) throw AutomationError(always->number, always->description);
}

void CallGate::FailOn(const std::string& member, int nthCall, std::int32_t number,
                      std::string description) {
    if (nthCall < 1) throw std::invalid_argument("FailOn: nthCall counts from 1");
    faults_[member].push_back(Fault{nthCall, number, std::move(description)});
}

void CallGate::FailAlways(const std::string& member, std::int32_t number, std::string description) {
    faults_[member].push_back(Fault{0, number, std::move(description)});
}

void CallGate::FailCall(int nthCall, std::int32_t number, std::string description) {
    if (nthCall < 1) throw std::invalid_argument("FailCall: nthCall counts from 1");
    anyMemberFaults_.push_back(Fault{nthCall, number, std::move(description)});
}

void CallGate::ClearFaults() {
    faults_.clear();
    anyMemberFaults_.clear();
}

int CallGate::Calls(std::string_view member) const {
    auto it = counts_.find(member);
    return it == counts_.end() ? 0 : it->second;
}

void CallGate::ResetCalls() {
    counts_.clear();
    total_ = 0;
}

}  // namespace brackwell::embedded

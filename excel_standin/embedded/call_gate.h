#pragma once
// The one door every port call of the embedded host passes: it counts calls by
// "Class.Method" (the port's class and member names, e.g. "Workbook.Name",
// "Sheets.Item") and raises the failures a test or benchmark injected.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "host/excel.h"

namespace brackwell::embedded {

// One call as an observer sees it before it runs: the member, the workbook
// whose object it was made on (none for the application and its
// application-wide collections) and, for a sheet, tab or defined name, that
// item's name.
struct HostCall {
    std::string_view member;
    const Workbook* workbook = nullptr;
    std::string_view item;
};

class CallGate {
public:
    // Counts one call of `member` made on an object of `workbook` (and
    // `item`), then throws AutomationError when an injected failure is due.
    void Pass(std::string_view member, const Workbook* workbook = nullptr, std::string_view item = {});

    // The nth call of `member` from now on fails once (nthCall 1 = the next call).
    void FailOn(const std::string& member, int nthCall, std::int32_t number, std::string description);
    // Every call of `member` fails until ClearFaults.
    void FailAlways(const std::string& member, std::int32_t number, std::string description);
    // The nth call from now fails once, whatever its member.
    void FailCall(int nthCall, std::int32_t number, std::string description);
    void ClearFaults();

    int Calls(std::string_view member) const;
    int TotalCalls() const { return total_; }
    void ResetCalls();

    // Runs before each counted call, for traces; empty by default. Callers
    // work out the workbook only while someone observes.
    void SetObserver(std::function<void(const HostCall&)> observer) { observer_ = std::move(observer); }
    bool Observed() const { return static_cast<bool>(observer_); }

private:
    struct Fault {
        int remaining = 0;  // calls to go; 0 means every call
        std::int32_t number = 0;
        std::string description;
    };

    std::map<std::string, int, std::less<>> counts_;
    std::map<std::string, std::vector<Fault>, std::less<>> faults_;
    std::vector<Fault> anyMemberFaults_;
    int total_ = 0;
    std::function<void(const HostCall&)> observer_;
};

}  // namespace brackwell::embedded

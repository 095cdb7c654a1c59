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

namespace brackwell::embedded {

class CallGate {
public:
    // Counts one call of `member`, then throws AutomationError when an
    // injected failure is due for it.
    void Pass(std::string_view member);

    // The nth call of `member` from now on fails once (nthCall 1 = the next call).
    void FailOn(const std::string& member, int nthCall, std::int32_t number, std::string description);
    // Every call of `member` fails until ClearFaults.
    void FailAlways(const std::string& member, std::int32_t number, std::string description);
    void ClearFaults();

    int Calls(std::string_view member) const;
    int TotalCalls() const { return total_; }
    void ResetCalls();

    // Runs before each counted call, for traces; empty by default.
    void SetObserver(std::function<void(std::string_view)> observer) { observer_ = std::move(observer); }

private:
    struct Fault {
        int remaining = 0;  // calls to go; 0 means every call
        std::int32_t number = 0;
        std::string description;
    };

    std::map<std::string, int, std::less<>> counts_;
    std::map<std::string, std::vector<Fault>, std::less<>> faults_;
    int total_ = 0;
    std::function<void(std::string_view)> observer_;
};

}  // namespace brackwell::embedded

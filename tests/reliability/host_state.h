#pragma once
// What a failing host call may and may not leave behind: the host's state as
// a user would judge a session (open workbooks, their names, paths and saved
// state, sheets in order with protection and tab colour, defined names), and
// the rule that every difference between two such states is explained by a
// host call that went through: a workbook is closed only by its own Close,
// a sheet protected only by a Protect in its workbook, and so on.

#include <map>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"

namespace brackwell::reliability {

struct WorkbookState {
    WorkbookPtr identity;  // the same object for as long as the workbook is open
    std::string name;
    std::string path;
    bool saved = true;
    embedded::WorkbookContent content;
};

struct HostState {
    std::vector<WorkbookState> workbooks;  // Workbooks collection order
    int filesSaved = 0;                    // saves of the host's file store

    // Reads through the ports: call it while no fault is armed and nobody
    // observes the calls.
    static HostState Read(embedded::EmbeddedExcel& excel);
    const WorkbookState* Find(const Workbook* identity) const;
};

// A call that went through the gate and did not fail by injection.
struct MadeCall {
    std::string member;
    const Workbook* workbook = nullptr;  // the object's workbook, none for application-wide calls
    std::string item;                    // the sheet's or name's name at the call
};

// Whether a member changes what HostState records.
bool ChangesHostState(const std::string& member);

// The differences between `before` and `after` that no call of `calls`
// explains, as sentences; empty when everything is accounted for.
std::vector<std::string> UnexplainedChanges(const HostState& before, const HostState& after,
                                            const std::vector<MadeCall>& calls);

}  // namespace brackwell::reliability

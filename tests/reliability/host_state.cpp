#include "tests/reliability/host_state.h"

#include <algorithm>
#include <set>

namespace brackwell::reliability {
namespace {

using Members = std::set<std::string>;

// Calls that change a workbook's sheets, names or saved state, by the
// workbook they are made on.
const Members kWorkbookChanges = {
    "Sheet.SetName", "Sheet.Protect", "Sheet.Unprotect",     "Tab.SetColorIndex",
    "Sheet.Delete",  "Sheets.Add",    "DefinedName.SetName", "DefinedName.Delete",
};
// Copy and move reach a second workbook through their anchor (or a new one).
const Members kTransfers = {"Sheet.Copy", "Sheet.Move"};
const Members kSaves = {"Workbook.Save", "Workbook.Close", "Dialog.Show"};
const Members kNewWorkbooks = {"Workbooks.Add", "Workbooks.Open", "Sheet.Copy", "Sheet.Move"};

class Calls {
public:
    explicit Calls(const std::vector<MadeCall>& calls) : calls_(calls) {}

    // A call of one of `members` on workbook `wb`, and on its item `item` when one is given.
    bool On(const Workbook* wb, const Members& members, const std::string* item = nullptr) const {
        return std::any_of(calls_.begin(), calls_.end(), [&](const MadeCall& c) {
            return c.workbook == wb && (!item || c.item == *item) && members.count(c.member) > 0;
        });
    }
    bool Anywhere(const Members& members) const {
        return std::any_of(calls_.begin(), calls_.end(), [&](const MadeCall& c) { return members.count(c.member) > 0; });
    }

private:
    const std::vector<MadeCall>& calls_;
};

using SheetList = std::vector<std::pair<std::string, embedded::SheetKind>>;

SheetList SheetsOf(const embedded::WorkbookContent& content) {
    SheetList list;
    for (const auto& sheet : content.sheets) list.emplace_back(sheet.name, sheet.kind);
    return list;
}

const embedded::SheetContent* SheetNamed(const embedded::WorkbookContent& content, const std::string& name) {
    for (const auto& sheet : content.sheets)
        if (sheet.name == name) return &sheet;
    return nullptr;
}

bool SameNames(const embedded::WorkbookContent& a, const embedded::WorkbookContent& b) {
    if (a.names.size() != b.names.size()) return false;
    for (std::size_t i = 0; i < a.names.size(); ++i) {
        if (a.names[i].name != b.names[i].name || a.names[i].refersTo != b.names[i].refersTo ||
            a.names[i].localSheet != b.names[i].localSheet)
            return false;
    }
    return true;
}

}  // namespace

HostState HostState::Read(embedded::EmbeddedExcel& excel) {
    HostState state;
    for (const WorkbookPtr& wb : excel.App()->Workbooks()->Enumerate()) {
        state.workbooks.push_back({wb, wb->Name(), wb->Path(), excel.Saved(wb), excel.Snapshot(wb)});
    }
    state.filesSaved = excel.MemoryFiles().SaveCount();
    return state;
}

const WorkbookState* HostState::Find(const Workbook* identity) const {
    for (const WorkbookState& wb : workbooks)
        if (wb.identity.get() == identity) return &wb;
    return nullptr;
}

bool ChangesHostState(const std::string& member) {
    return kWorkbookChanges.count(member) || kTransfers.count(member) || kSaves.count(member) ||
           kNewWorkbooks.count(member);
}

std::vector<std::string> UnexplainedChanges(const HostState& before, const HostState& after,
                                            const std::vector<MadeCall>& made) {
    std::vector<std::string> unexplained;
    const Calls calls(made);
    const bool transfers = calls.Anywhere(kTransfers);

    for (const WorkbookState& old : before.workbooks) {
        const Workbook* id = old.identity.get();
        const WorkbookState* now = after.Find(id);
        const std::string who = "\"" + old.name + "\"";
        if (!now) {
            if (!calls.On(id, {"Workbook.Close"})) unexplained.push_back(who + " closed without its Close");
            continue;
        }
        const bool saving = calls.On(id, {"Workbook.Save"}) || calls.Anywhere({"Dialog.Show"});
        if ((now->name != old.name || now->path != old.path) && !saving)
            unexplained.push_back(who + " renamed or moved without a save");
        if (now->saved && !old.saved && !saving) unexplained.push_back(who + " saved without a save");
        if (!now->saved && old.saved && !calls.On(id, kWorkbookChanges) && !transfers)
            unexplained.push_back(who + " changed without a call that changes it");

        if (SheetsOf(now->content) != SheetsOf(old.content) &&
            !calls.On(id, {"Sheet.SetName", "Sheets.Add", "Sheet.Delete"}) && !transfers)
            unexplained.push_back(who + ": sheets added, removed, renamed or reordered without such a call");
        for (const auto& sheet : old.content.sheets) {
            const embedded::SheetContent* same = SheetNamed(now->content, sheet.name);
            if (!same) continue;
            if (same->protectedContents != sheet.protectedContents &&
                !calls.On(id, {"Sheet.Protect", "Sheet.Unprotect"}, &sheet.name))
                unexplained.push_back(who + ": protection of \"" + sheet.name +
                                      "\" changed without Protect or Unprotect");
            if (same->tabColorIndex != sheet.tabColorIndex && !calls.On(id, {"Tab.SetColorIndex"}, &sheet.name))
                unexplained.push_back(who + ": tab colour of \"" + sheet.name + "\" changed without SetColorIndex");
        }
        if (!SameNames(now->content, old.content) && !calls.On(id, {"DefinedName.SetName", "DefinedName.Delete"}) &&
            !calls.Anywhere({"Sheet.SetName", "Sheet.Delete", "Sheet.Copy", "Sheet.Move"}))
            unexplained.push_back(who + ": defined names changed without such a call");
    }
    for (const WorkbookState& wb : after.workbooks) {
        if (!before.Find(wb.identity.get()) && !calls.Anywhere(kNewWorkbooks))
            unexplained.push_back("\"" + wb.name + "\" appeared without Add, Open, Copy or Move");
    }
    if (after.filesSaved != before.filesSaved && !calls.Anywhere(kSaves))
        unexplained.push_back("a file was written without Save, Close or a save dialog");
    return unexplained;
}

}  // namespace brackwell::reliability

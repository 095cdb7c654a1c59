// Silent set-up of the model for tests, benchmarks and the demo: no events,
// no call counting. Misuse is a programming error and throws std::invalid_argument.

#include <algorithm>
#include <stdexcept>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

void Require(bool condition, const std::string& what) {
    if (!condition) throw std::invalid_argument(what);
}

}  // namespace

HostCore::WbObj HostCore::CreateWorkbook(const std::string& name, const std::vector<std::string>& worksheetNames,
                                         const std::string& path) {
    Require(!name.empty() && !FindOpenByName(name, nullptr), "workbook name empty or open already: " + name);
    std::vector<std::string> sheetNames = worksheetNames;
    if (sheetNames.empty()) {
        for (int i = 1; i <= sheetsInNewWorkbook_; ++i) {
            sheetNames.push_back(std::string(kWorksheetBaseName) + std::to_string(i));
        }
    }
    WbObj wb = NewWorkbookObject(name);
    wb->path_ = path;
    for (const std::string& sheetName : sheetNames) {
        Require(IsValidSheetName(sheetName) && !SheetNameTaken(*wb, sheetName, nullptr),
                "sheet name refused or twice: " + sheetName);
        wb->sheets_.push_back(NewSheet(wb, sheetName, SheetKind::Worksheet));
    }
    wb->activeSheet_ = wb->sheets_.front();
    InitSheetCounter(*wb);
    if (path.empty()) NoteWorkbookName(name);
    AppendWorkbook(wb);
    MakeActive(wb);
    return wb;
}

HostCore::ShObj HostCore::InsertSheetSilently(const WbObj& wb, const std::string& name, SheetKind kind,
                                              int position) {
    Require(wb->IsOpen(), "workbook is closed");
    Require(IsValidSheetName(name) && !SheetNameTaken(*wb, name, nullptr), "sheet name refused or taken: " + name);
    Require(position >= 0 && position <= static_cast<int>(wb->sheets_.size()) + 1, "sheet position out of range");
    ShObj sheet = NewSheet(wb, name, kind);
    const auto at = position == 0 ? wb->sheets_.end() : wb->sheets_.begin() + (position - 1);
    wb->sheets_.insert(at, sheet);
    if (!wb->activeSheet_) wb->activeSheet_ = sheet;
    return sheet;
}

HostCore::NmObj HostCore::AddNameSilently(const WbObj& wb, const std::string& name, const std::string& refersTo,
                                          const ShObj& scope) {
    Require(wb->IsOpen(), "workbook is closed");
    Require(!scope || (scope->owner_.lock() == wb && !scope->deleted_), "scope sheet is not in this workbook");
    try {
        CheckNewName(*wb, std::string(BareName(name)), scope.get(), nullptr);
    } catch (const AutomationError& e) {
        throw std::invalid_argument("defined name refused: " + name + ": " + e.Description());
    }
    return InsertName(wb, name, refersTo.starts_with("=") ? refersTo : "=" + refersTo, scope);
}

void HostCore::SetNameVisibleSilently(const NmObj& name, bool visible) {
    Require(!name->deleted_, "name is gone");
    name->visible_ = visible;
}

HostCore::WbObj HostCore::AddAddin(const std::string& name, const std::string& path) {
    Require(!name.empty() && !FindOpenByName(name, nullptr), "workbook name empty or open already: " + name);
    WbObj wb = NewWorkbookObject(name);
    wb->path_ = path;
    wb->isAddin_ = true;
    wb->windowVisible_ = false;  // an add-in shows no window
    wb->sheets_.push_back(NewSheet(wb, std::string(kWorksheetBaseName) + "1", SheetKind::Worksheet));
    wb->activeSheet_ = wb->sheets_.front();
    InitSheetCounter(*wb);
    addins_.push_back(wb);
    return wb;
}

void HostCore::SetWindowVisible(const WbObj& wb, bool visible) {
    Require(wb->IsOpen() && !wb->isAddin_, "only an open workbook's window can be shown or hidden");
    wb->windowVisible_ = visible;
    if (!visible && active_ == wb) {
        active_.reset();
        if (WbObj next = MostRecentlyActiveVisible()) MakeActive(next);
    } else if (visible && !active_) {
        MakeActive(wb);
    }
}

void HostCore::SetSheetVisible(const ShObj& sheet, bool visible) {
    const WbObj wb = sheet->owner_.lock();
    Require(wb && wb->IsOpen() && !sheet->deleted_, "sheet is gone");
    if (sheet->visible_ == visible) return;
    Require(visible || VisibleSheetCount(*wb) > 1, "a workbook keeps at least one visible sheet");
    if (!visible && wb->activeSheet_ == sheet) wb->activeSheet_ = NeighbourAfterLeaving(*wb, *sheet);
    sheet->visible_ = visible;
}

void HostCore::ActivateSilently(const WbObj& wb, const ShObj& sheet) {
    Require(wb->IsOpen() && wb->windowVisible_ && !wb->isAddin_, "only a visible open workbook can be active");
    if (sheet) {
        Require(sheet->owner_.lock() == wb && !sheet->deleted_ && sheet->visible_,
                "the sheet must be a visible sheet of that workbook");
        wb->activeSheet_ = sheet;
    }
    MakeActive(wb);
}

void HostCore::SetSheetProtectionSilently(const ShObj& sheet, bool isProtected, const std::string& password) {
    Require(!sheet->deleted_, "sheet is gone");
    sheet->protected_ = isProtected;
    sheet->password_ = isProtected ? password : std::string();
}

void HostCore::SetTabColorSilently(const ShObj& sheet, std::int32_t colorIndex) {
    Require(colorIndex == xl::kColorIndexNone || (colorIndex >= 1 && colorIndex <= 56),
            "tab colour index is 1 to 56 or -4142");
    sheet->tabColorIndex_ = colorIndex;
}

}  // namespace brackwell::embedded

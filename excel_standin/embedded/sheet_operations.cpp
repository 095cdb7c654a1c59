// Sheets inside one workbook: the collections, Add, rename, protection, tab
// colour, activation and delete.

#include <algorithm>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/host_messages.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

std::vector<HostCore::ShObj> HostCore::SheetList(const WorkbookObject& wb, bool worksheetsOnly) const {
    if (!worksheetsOnly) return wb.sheets_;
    std::vector<ShObj> worksheets;
    for (const ShObj& sheet : wb.sheets_) {
        if (sheet->kind_ == SheetKind::Worksheet) worksheets.push_back(sheet);
    }
    return worksheets;
}

HostCore::ShObj HostCore::SheetAt(const WorkbookObject& wb, bool worksheetsOnly, std::int32_t index) const {
    std::int32_t position = 0;
    for (const ShObj& sheet : wb.sheets_) {
        if (worksheetsOnly && sheet->kind_ != SheetKind::Worksheet) continue;
        if (++position == index) return sheet;
    }
    Raise(err::kSubscriptOutOfRange);
}

HostCore::ShObj HostCore::SheetByName(const WorkbookObject& wb, bool worksheetsOnly,
                                      const std::string& name) const {
    ShObj sheet = SheetByNameOrNull(wb, name);
    if (!sheet || (worksheetsOnly && sheet->kind_ != SheetKind::Worksheet)) Raise(err::kSubscriptOutOfRange);
    return sheet;
}

HostCore::ShObj HostCore::SheetByNameOrNull(const WorkbookObject& wb, std::string_view name) {
    for (const ShObj& sheet : wb.sheets_) {
        if (EqualsIgnoreCase(sheet->name_, name)) return sheet;
    }
    return nullptr;
}

bool HostCore::SheetNameTaken(const WorkbookObject& wb, std::string_view name,
                              const SheetObject* except) const {
    ShObj found = SheetByNameOrNull(wb, name);
    return found && found.get() != except;
}

int HostCore::VisibleSheetCount(const WorkbookObject& wb) {
    return static_cast<int>(
        std::count_if(wb.sheets_.begin(), wb.sheets_.end(), [](const ShObj& s) { return s->visible_; }));
}

HostCore::ShObj HostCore::NeighbourAfterLeaving(const WorkbookObject& wb, const SheetObject& leaving) {
    // The next visible sheet to the right, else the nearest to the left.
    const auto at = std::find_if(wb.sheets_.begin(), wb.sheets_.end(),
                                 [&](const ShObj& s) { return s.get() == &leaving; });
    if (at == wb.sheets_.end()) return nullptr;
    for (auto it = at + 1; it != wb.sheets_.end(); ++it) {
        if ((*it)->visible_) return *it;
    }
    for (auto it = at; it != wb.sheets_.begin();) {
        --it;
        if ((*it)->visible_) return *it;
    }
    return nullptr;
}

std::string HostCore::NextWorksheetName(WorkbookObject& wb) {
    // Excel counts on per workbook: after deleting "Tabelle4" the next new
    // sheet is "Tabelle5" (UNCONFIRMED beyond what users report).
    return NextNumberedName(kWorksheetBaseName, wb.sheetCounter_,
                            [&](std::string_view name) { return SheetNameTaken(wb, name, nullptr); });
}

std::string HostCore::SheetClassName(const SheetObject& sheet) {
    return sheet.kind_ == SheetKind::Chart ? "_Chart" : "_Worksheet";
}

HostCore::ShObj HostCore::AddWorksheet(const WbObj& wb) {
    ShObj sheet = NewSheet(wb, NextWorksheetName(*wb), SheetKind::Worksheet);
    // Without Before or After the new sheet goes in front of the active sheet.
    auto at = std::find(wb->sheets_.begin(), wb->sheets_.end(), wb->activeSheet_);
    if (at == wb->sheets_.end()) at = wb->sheets_.begin();
    wb->sheets_.insert(at, sheet);
    wb->activeSheet_ = sheet;
    MarkDirty(*wb);

    Fire(EventKind::WorkbookNewSheet, wb, sheet);
    if (sheet->Connected() && active_ == wb && wb->activeSheet_ == sheet) {
        Fire(EventKind::SheetActivate, wb, sheet);
    }
    return sheet;
}

void HostCore::RenameSheet(const ShObj& sheet, const std::string& name) {
    const WbObj wb = OwnerOf(*sheet);
    if (name == sheet->name_) return;
    if (!IsValidSheetName(name)) Raise(err::kHost, std::string(msg::kInvalidSheetName));
    if (SheetNameTaken(*wb, name, sheet.get())) Raise(err::kHost, std::string(msg::kSheetNameTaken));
    const std::string oldName = sheet->name_;
    sheet->name_ = name;
    MarkDirty(*wb);
    OnSheetRenamed(*wb, oldName, name);
}

void HostCore::ProtectSheet(const ShObj& sheet, const std::optional<std::string>& password) {
    const WbObj wb = OwnerOf(*sheet);
    const std::string given = password.value_or("");
    // A sheet protected with a password takes new protection only with that password.
    if (sheet->protected_ && !sheet->password_.empty() && given != sheet->password_) {
        Raise(err::kHost, std::string(msg::kWrongPassword));
    }
    sheet->protected_ = true;
    sheet->password_ = given;
    MarkDirty(*wb);
}

void HostCore::UnprotectSheet(const ShObj& sheet, const std::optional<std::string>& password) {
    const WbObj wb = OwnerOf(*sheet);
    if (!sheet->protected_) return;  // no effect on an unprotected sheet
    if (!sheet->password_.empty()) {
        std::optional<std::string> typed = password;
        if (!typed) {
            typed = user_.AskPassword(wb->name_, sheet->name_);
            if (!typed) Raise(err::kHost, msg::MethodFailed("Unprotect", SheetClassName(*sheet)));
            if (!sheet->Connected()) Raise(err::kDisconnected);
        }
        // Passwords are case-sensitive.
        if (*typed != sheet->password_) Raise(err::kHost, std::string(msg::kWrongPassword));
    }
    sheet->protected_ = false;
    sheet->password_.clear();
    MarkDirty(*wb);
}

void HostCore::SetTabColor(const ShObj& sheet, std::int32_t index) {
    const WbObj wb = OwnerOf(*sheet);
    if (index != xl::kColorIndexNone && (index < 1 || index > 56)) {
        Raise(err::kHost, msg::PropertyNotSet("ColorIndex", "Tab"));
    }
    sheet->tabColorIndex_ = index;
    MarkDirty(*wb);
}

void HostCore::ActivateSheet(const ShObj& sheet) {
    const WbObj wb = OwnerOf(*sheet);
    // A hidden sheet, or one in a hidden window, cannot be shown.
    if (!sheet->visible_ || !wb->windowVisible_ || wb->isAddin_) {
        Raise(err::kHost, msg::MethodFailed("Activate", SheetClassName(*sheet)));
    }
    ShowSheet(sheet, true);
}

void HostCore::ShowSheet(const ShObj& sheet, bool switchWorkbook) {
    const WbObj wb = OwnerOf(*sheet);
    if (switchWorkbook && active_ != wb && wb->windowVisible_ && !wb->isAddin_) {
        SwitchActiveWorkbook(wb, std::nullopt);
        if (!sheet->Connected()) return;
    }
    // Only a change of the workbook's active sheet is a SheetActivate; a
    // workbook switch alone is not (UNCONFIRMED but matches the window model).
    if (wb->activeSheet_ == sheet || !sheet->visible_) return;
    wb->activeSheet_ = sheet;
    if (active_ == wb) Fire(EventKind::SheetActivate, wb, sheet);
}

void HostCore::DeleteSheet(const ShObj& sheet) {
    const WbObj wb = OwnerOf(*sheet);
    if (sheet->visible_ && VisibleSheetCount(*wb) <= 1) {
        Raise(err::kHost, std::string(msg::kLastVisibleSheet));
    }
    // Declining Excel's confirmation is no error: the method just does nothing.
    if (!user_.AskDeleteSheet(wb->name_, sheet->name_)) return;

    const bool wasActive = wb->activeSheet_ == sheet;
    DetachSheet(*wb, sheet);
    OnSheetDeleted(*wb, *sheet);
    DisconnectSheet(*sheet);
    MarkDirty(*wb);
    if (wasActive && active_ == wb && wb->activeSheet_) {
        Fire(EventKind::SheetActivate, wb, wb->activeSheet_);
    }
}

void HostCore::DetachSheet(WorkbookObject& wb, const ShObj& sheet) {
    if (wb.activeSheet_ == sheet) wb.activeSheet_ = NeighbourAfterLeaving(wb, *sheet);
    std::erase(wb.sheets_, sheet);
}

void HostCore::DisconnectSheet(SheetObject& sheet) { sheet.deleted_ = true; }

}  // namespace brackwell::embedded

// Copy and Move of a sheet: within its workbook, into another open workbook,
// or (without an anchor) into a new one; with the names that go along.

#include <algorithm>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/host_messages.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

bool RefersToSheet(const std::string& formula, const std::string& sheet) {
    const auto refs = FindSheetReferences(formula);
    return std::any_of(refs.begin(), refs.end(), [&](const SheetReference& ref) {
        return ref.workbook.empty() && EqualsIgnoreCase(ref.sheet, sheet);
    });
}

}  // namespace

HostCore::Anchor HostCore::ResolveAnchor(const SheetPtr& before, const SheetPtr& after, const char* method,
                                         const SheetObject& moving) const {
    if (before && after) Raise(err::kHost, msg::MethodFailed(method, SheetClassName(moving)));
    const SheetPtr& given = before ? before : after;
    if (!given) return {};
    auto anchor = std::dynamic_pointer_cast<SheetObject>(given);
    // A sheet of another host instance cannot be an anchor (Excel: error 1004).
    if (!anchor || anchor->host_.lock().get() != this) {
        Raise(err::kHost, msg::MethodFailed(method, SheetClassName(moving)));
    }
    OwnerOf(*anchor);  // a sheet of a closed workbook, or a deleted one, is disconnected
    return Anchor{anchor, after != nullptr};
}

void HostCore::InsertAt(WorkbookObject& wb, const ShObj& sheet, const Anchor& anchor) {
    auto at = std::find(wb.sheets_.begin(), wb.sheets_.end(), anchor.sheet);
    if (at != wb.sheets_.end() && anchor.after) ++at;
    wb.sheets_.insert(at, sheet);
}

HostCore::ShObj HostCore::CloneSheet(const ShObj& source, const WbObj& destination, std::string name) {
    ShObj copy = NewSheet(destination, std::move(name), source->kind_);
    copy->visible_ = source->visible_;
    copy->tabColorIndex_ = source->tabColorIndex_;
    copy->protected_ = source->protected_;
    copy->password_ = source->password_;
    copy->selection_ = source->selection_;
    return copy;
}

void HostCore::CopySheet(const ShObj& sheet, const SheetPtr& before, const SheetPtr& after) {
    const WbObj source = OwnerOf(*sheet);
    const Anchor anchor = ResolveAnchor(before, after, "Copy", *sheet);
    // A new workbook must show at least one sheet.
    if (!anchor.sheet && !sheet->visible_) Raise(err::kHost, msg::MethodFailed("Copy", SheetClassName(*sheet)));

    const bool newWorkbook = !anchor.sheet;
    const WbObj destination = newWorkbook ? NewWorkbookObject(NextWorkbookName()) : OwnerOf(*anchor.sheet);
    std::string name = sheet->name_;
    if (SheetNameTaken(*destination, name, nullptr)) {
        name = CopyName(name, [&](std::string_view n) { return SheetNameTaken(*destination, n, nullptr); });
    }
    const ShObj copy = CloneSheet(sheet, destination, std::move(name));
    if (newWorkbook) {
        destination->sheets_.push_back(copy);
        InitSheetCounter(*destination);
        AppendWorkbook(destination);
    } else {
        InsertAt(*destination, copy, anchor);
    }
    CarryNames(sheet, copy, false);
    MarkDirty(*destination);  // a workbook made by Copy starts with unsaved changes
    FinishTransfer(copy, destination, newWorkbook);
}

void HostCore::MoveSheet(const ShObj& sheet, const SheetPtr& before, const SheetPtr& after) {
    const WbObj source = OwnerOf(*sheet);
    const Anchor anchor = ResolveAnchor(before, after, "Move", *sheet);
    const WbObj target = anchor.sheet ? OwnerOf(*anchor.sheet) : nullptr;

    if (target == source) {
        // Within the workbook the sheet keeps its object; moving the active
        // sheet itself changes no activation and so fires nothing.
        if (anchor.sheet != sheet) {
            std::erase(source->sheets_, sheet);
            InsertAt(*source, sheet, anchor);
        }
        MarkDirty(*source);
        ShowSheet(sheet, true);
        return;
    }
    if (sheet->visible_ && VisibleSheetCount(*source) <= 1) {
        Raise(err::kHost, std::string(msg::kLastVisibleSheet));
    }
    if (!target && !sheet->visible_) Raise(err::kHost, msg::MethodFailed("Move", SheetClassName(*sheet)));

    // Across workbooks Excel copies and deletes: the moved sheet is a new
    // object and the old one disconnects (UNCONFIRMED, but what callers see
    // through COM after such a move).
    const bool newWorkbook = !target;
    const WbObj destination = newWorkbook ? NewWorkbookObject(NextWorkbookName()) : target;
    std::string name = sheet->name_;
    if (SheetNameTaken(*destination, name, nullptr)) {
        name = CopyName(name, [&](std::string_view n) { return SheetNameTaken(*destination, n, nullptr); });
    }
    const ShObj moved = CloneSheet(sheet, destination, std::move(name));
    if (newWorkbook) {
        destination->sheets_.push_back(moved);
        InitSheetCounter(*destination);
        AppendWorkbook(destination);
    } else {
        InsertAt(*destination, moved, anchor);
    }
    CarryNames(sheet, moved, true);
    DetachSheet(*source, sheet);
    DisconnectSheet(*sheet);
    MarkDirty(*source);
    MarkDirty(*destination);
    FinishTransfer(moved, destination, newWorkbook);
}

void HostCore::CarryNames(const ShObj& source, const ShObj& copy, bool move) {
    const WbObj from = OwnerOf(*source);
    const WbObj to = OwnerOf(*copy);
    const bool sameWorkbook = from == to;

    // In the copy, references to the source sheet mean the copy; in another
    // workbook, references to the source's other sheets become external.
    const SheetReferenceRewrite retarget = [&](const SheetReference& ref) -> std::optional<std::string> {
        if (!ref.workbook.empty()) return std::nullopt;
        if (EqualsIgnoreCase(ref.sheet, source->name_)) return SheetPrefix(copy->name_);
        if (!sameWorkbook) return SheetPrefix(ref.sheet, from->name_);
        return std::nullopt;
    };

    const std::vector<NmObj> names = from->names_;  // a snapshot: we add to and remove from the list
    for (const NmObj& name : names) {
        const ShObj scope = name->scope_.lock();
        const std::string refersTo = RewriteSheetReferences(name->refersTo_, retarget);
        if (name->local_) {
            if (scope != source) continue;
            InsertName(to, FileSpelling(*name), refersTo, copy, name.get());
            if (move) {
                std::erase(from->names_, name);
                name->deleted_ = true;
            }
            continue;
        }
        if (!RefersToSheet(name->refersTo_, source->name_)) continue;
        // A workbook-level name that refers to the sheet: Excel gives the copy
        // a sheet-level twin in the same workbook; in another workbook it takes
        // the name over at workbook level unless that name is already taken there.
        const std::string spelling = FileSpelling(*name);
        if (sameWorkbook) {
            if (!FindName(*to, name->name_, copy.get())) InsertName(to, spelling, refersTo, copy, name.get());
        } else if (!FindName(*to, name->name_, nullptr)) {
            InsertName(to, spelling, refersTo, nullptr, name.get());
        } else if (!FindName(*to, name->name_, copy.get())) {
            InsertName(to, spelling, refersTo, copy, name.get());
        }
    }

    if (move && !sameWorkbook) {
        // What stays behind now points into the destination workbook.
        RewriteAllRefersTo(*from, [&](const SheetReference& ref) -> std::optional<std::string> {
            if (!ref.workbook.empty() || !EqualsIgnoreCase(ref.sheet, source->name_)) return std::nullopt;
            return SheetPrefix(copy->name_, to->name_);
        });
    }
}

void HostCore::FinishTransfer(const ShObj& arrived, const WbObj& destination, bool newWorkbook) {
    if (newWorkbook) {
        // The new workbook is announced like Workbooks.Add; then its one sheet
        // is reported active (UNCONFIRMED: Excel may leave SheetActivate out here).
        destination->activeSheet_ = arrived;
        SwitchActiveWorkbook(destination, EventKind::NewWorkbook);
        if (arrived->Connected() && active_ == destination && destination->activeSheet_ == arrived) {
            Fire(EventKind::SheetActivate, destination, arrived);
        }
        return;
    }
    ShowSheet(arrived, true);
}

}  // namespace brackwell::embedded

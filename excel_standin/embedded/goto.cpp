// Application.Goto with a reference text: a cell address ("A1",
// "Tabelle1!$A$1:$B$9", "R1C1") or a defined name ("Daten", "Tabelle1!Daten").

#include <vector>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/host_messages.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

[[noreturn]] void GotoFailed() { Raise(err::kHost, msg::MethodFailed("Goto", "_Application")); }

// Splits a formula at the commas between areas, leaving quoted sheet names whole.
std::vector<std::string> SplitAreas(std::string_view formula) {
    std::vector<std::string> areas(1);
    bool quoted = false;
    for (char c : formula) {
        if (c == '\'') quoted = !quoted;  // a doubled quote toggles twice
        if (c == ',' && !quoted) {
            areas.emplace_back();
        } else {
            areas.back() += c;
        }
    }
    return areas;
}

}  // namespace

void HostCore::Goto(const std::string& reference) {
    const GotoTarget target = ResolveGoto(reference);
    const WbObj wb = OwnerOf(*target.sheet);
    if (target.sheet->kind_ != SheetKind::Worksheet || !target.sheet->visible_ || !wb->windowVisible_ ||
        wb->isAddin_) {
        GotoFailed();
    }
    // The selection is in place before the activation events run.
    target.sheet->selection_ = target.range;
    ShowSheet(target.sheet, true);
}

HostCore::GotoTarget HostCore::ResolveGoto(const std::string& reference) const {
    if (!active_) GotoFailed();
    const auto split = SplitReference(reference);
    if (!split || split->rest.empty()) GotoFailed();

    WbObj book = active_;
    if (!split->workbook.empty()) {
        book = FindOpenByName(split->workbook, nullptr);
        if (!book) GotoFailed();
    }
    ShObj sheet;
    if (split->hasPrefix) {
        sheet = SheetByNameOrNull(*book, split->sheet);
        if (!sheet) {
            // "Mappe2.xlsx!Daten": a workbook-level name of an open workbook.
            const WbObj other = split->workbook.empty() ? FindOpenByName(split->sheet, nullptr) : nullptr;
            const NmObj name = other ? FindName(*other, split->rest, nullptr) : nullptr;
            if (!name) GotoFailed();
            return ResolveNameTarget(*other, *name);
        }
    }

    if (auto range = NormalizeAreas(split->rest, Grid())) {
        const ShObj on = sheet ? sheet : book->activeSheet_;
        if (!on) GotoFailed();
        return {on, *range};
    }

    // A name of the sheet comes before a workbook-level name of the same text.
    const ShObj scope = sheet ? sheet : book->activeSheet_;
    NmObj name = scope ? FindName(*book, split->rest, scope.get()) : nullptr;
    if (!name) name = FindName(*book, split->rest, nullptr);
    if (!name) GotoFailed();
    return ResolveNameTarget(*book, *name);
}

HostCore::GotoTarget HostCore::ResolveNameTarget(const WorkbookObject& wb, const NameObject& name) const {
    std::string_view formula = name.refersTo_;
    if (formula.starts_with("=")) formula.remove_prefix(1);
    // A broken name ("=#REF!", "=#REF!$A$1") leads nowhere.
    if (formula.empty() || formula.find("#REF!") != std::string_view::npos) GotoFailed();

    ShObj target;
    std::string ranges;
    for (const std::string& area : SplitAreas(formula)) {
        const auto split = SplitReference(area);
        if (!split) GotoFailed();
        ShObj on;
        if (split->hasPrefix) {
            const WorkbookObject* book = &wb;
            WbObj other;
            if (!split->workbook.empty()) {
                other = FindOpenByName(split->workbook, nullptr);
                if (!other) GotoFailed();
                book = other.get();
            }
            on = SheetByNameOrNull(*book, split->sheet);
        } else {
            on = name.scope_.lock();
            if (!on) on = wb.activeSheet_;
        }
        const auto range = NormalizeAreas(split->rest, Grid());
        // A constant or a formula ("=5", "=SUMME(...)") is no place to go.
        if (!on || !range || (target && target != on)) GotoFailed();
        target = on;
        ranges += (ranges.empty() ? "" : ",") + *range;
    }
    return {target, ranges};
}

}  // namespace brackwell::embedded

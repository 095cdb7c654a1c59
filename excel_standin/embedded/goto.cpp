// Application.Goto and Name.RefersToRange. Excel documents Goto's reference
// as a Range or a text with a cell reference in R1C1 notation ("R1C1",
// "Tabelle1!R1C1:R9C2", "[Mappe2.xlsx]Tabelle1!R3C2"); the text of a defined
// name works too, as recorded macros use it, but only for the active
// workbook ("Daten", "Tabelle1!Daten"). Nothing else is taken: not an A1
// address, not a name with a workbook part ("Mappe2.xlsx!Daten",
// "[Mappe2.xlsx]Tabelle1!Daten"), for which the documentation has no form.

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

void HostCore::Goto(const std::string& reference) { SelectTarget(ResolveGoto(reference)); }

void HostCore::Goto(const RangeObject& range) {
    if (range.host_.lock().get() != this) Raise(err::kTypeMismatch);  // another host's
    if (!range.Connected()) Raise(err::kDisconnected);
    SelectTarget({range.sheet_.lock(), range.address_});
}

void HostCore::SelectTarget(const GotoTarget& target) {
    const WbObj wb = OwnerOf(*target.sheet);
    if (target.sheet->kind_ != SheetKind::Worksheet || !target.sheet->visible_ || !wb->windowVisible_ ||
        wb->isAddin_) {
        GotoFailed();
    }
    // The selection is in place before the activation events run.
    target.sheet->selection_ = target.range;
    ShowSheet(target.sheet, true);
}

RangePtr HostCore::RefersToRange(const NameObject& name) {
    const auto target = ResolveNameTarget(*name.owner_.lock(), name);
    if (!target) Raise(err::kHost);
    return std::make_shared<RangeObject>(weak_from_this(), target->sheet, target->range);
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
        if (!sheet) GotoFailed();
    }
    if (auto range = NormalizeAreas(split->rest, Grid(), Notation::R1C1)) {
        const ShObj on = sheet ? sheet : book->activeSheet_;
        if (!on) GotoFailed();
        return {on, *range};
    }
    if (book != active_) GotoFailed();  // a name only of the active workbook

    // A name of the sheet comes before a workbook-level name of the same text.
    const ShObj scope = sheet ? sheet : book->activeSheet_;
    NmObj name = scope ? FindName(*book, split->rest, scope.get()) : nullptr;
    if (!name) name = FindName(*book, split->rest, nullptr);
    if (!name) GotoFailed();
    const auto target = ResolveNameTarget(*book, *name);
    if (!target) GotoFailed();
    return *target;
}

std::optional<HostCore::GotoTarget> HostCore::ResolveNameTarget(const WorkbookObject& wb,
                                                                const NameObject& name) const {
    std::string_view formula = name.refersTo_;
    if (formula.starts_with("=")) formula.remove_prefix(1);
    // A broken name ("=#REF!", "=#REF!$A$1") leads nowhere.
    if (formula.empty() || formula.find("#REF!") != std::string_view::npos) return std::nullopt;

    ShObj target;
    std::string ranges;
    for (const std::string& area : SplitAreas(formula)) {
        const auto split = SplitReference(area);
        if (!split) return std::nullopt;
        ShObj on;
        if (split->hasPrefix) {
            const WorkbookObject* book = &wb;
            WbObj other;
            if (!split->workbook.empty()) {
                // Only an open workbook: "'C:\Daten\[Alt.xlsx]Blatt1'!$A$1" names none.
                other = FindOpenByName(split->workbook, nullptr);
                if (!other) return std::nullopt;
                book = other.get();
            }
            on = SheetByNameOrNull(*book, split->sheet);
        } else {
            on = name.scope_.lock();
            if (!on) on = wb.activeSheet_;
        }
        const auto range = NormalizeAreas(split->rest, Grid(), Notation::A1);
        // A constant or a formula ("=5", "=SUMME(...)") is no place to go, nor a chart.
        if (!on || on->kind_ != SheetKind::Worksheet || !range || (target && target != on)) return std::nullopt;
        target = on;
        ranges += (ranges.empty() ? "" : ",") + *range;
    }
    return GotoTarget{target, ranges};
}

}  // namespace brackwell::embedded

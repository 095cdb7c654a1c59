// Defined names: their text, order, renaming and deleting, and keeping their
// RefersTo right when sheets and workbooks change names or go away.

#include <algorithm>
#include <stdexcept>

#include "excel_standin/embedded/host_core.h"
#include "excel_standin/embedded/host_messages.h"
#include "excel_standin/embedded/naming_rules.h"
#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

std::string HostCore::NameText(const NameObject& name) const {
    if (auto scope = name.scope_.lock()) return SheetPrefix(scope->name_) + name.name_;
    return name.name_;
}

namespace {

// Excel keeps its Names collection sorted by name, ignoring case
// (UNCONFIRMED detail: a sheet-level name sorts by its sheet and name
// without quotes, "Tabelle1 (2)!Daten", and letters sort by code point
// after case folding rather than by the German collation).
// `scope`: the sheet's name for a sheet-level name, "" for a workbook-level one.
std::string SortKey(std::string_view scope, std::string_view name) {
    return FoldedKey(scope.empty() ? std::string(name) : std::string(scope) + "!" + std::string(name));
}

}  // namespace

void HostCore::SortNames(WorkbookObject& wb) {
    std::vector<std::pair<std::string, NmObj>> keyed;
    keyed.reserve(wb.names_.size());
    for (const NmObj& name : wb.names_) {
        const ShObj scope = name->scope_.lock();
        keyed.emplace_back(SortKey(scope ? scope->name_ : "", name->name_), name);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) wb.names_[i] = keyed[i].second;
}

HostCore::NmObj HostCore::FindName(const WorkbookObject& wb, std::string_view bare,
                                   const SheetObject* scope) const {
    for (const NmObj& name : wb.names_) {
        const bool sameScope = scope == nullptr ? !name->local_ : name->scope_.lock().get() == scope;
        if (sameScope && EqualsIgnoreCase(name->name_, bare)) return name;
    }
    return nullptr;
}

void HostCore::CheckNewName(const WorkbookObject& wb, const std::string& bare, const SheetObject* scope,
                            const NameObject* except) const {
    if (!IsValidDefinedName(bare, Grid())) Raise(err::kHost, std::string(msg::kInvalidDefinedName));
    const NmObj existing = FindName(wb, bare, scope);
    if (existing && existing.get() != except) Raise(err::kHost, std::string(msg::kDefinedNameTaken));
}

HostCore::NmObj HostCore::InsertName(const WbObj& wb, std::string_view name, std::string refersTo,
                                     const ShObj& scope, const NameObject* like) {
    const bool builtIn = name.starts_with(kBuiltInNamePrefix);
    name = BareName(name);
    auto inserted = std::make_shared<NameObject>(weak_from_this(), wb, std::string(name), std::move(refersTo),
                                                 scope ? std::weak_ptr<SheetObject>(scope)
                                                       : std::weak_ptr<SheetObject>());
    inserted->builtIn_ = builtIn;
    if (like) inserted->visible_ = like->visible_;
    // In its place at once: a workbook may bring thousands of names.
    const std::string key = SortKey(scope ? scope->name_ : "", name);
    const auto before = [](const std::string& k, const NmObj& n) {
        const ShObj s = n->scope_.lock();
        return k < SortKey(s ? s->name_ : "", n->name_);
    };
    wb->names_.insert(std::upper_bound(wb->names_.begin(), wb->names_.end(), key, before), inserted);
    return inserted;
}

std::string HostCore::FileSpelling(const NameObject& name) {
    return name.builtIn_ ? std::string(kBuiltInNamePrefix) + name.name_ : name.name_;
}

void HostCore::RenameName(const NmObj& name, const std::string& text) {
    const WbObj wb = name->owner_.lock();
    const ShObj scope = name->scope_.lock();
    const auto refused = [] { Raise(err::kHost, std::string(msg::kInvalidDefinedName)); };
    // Excel's own names keep theirs (UNCONFIRMED: Excel may turn a renamed
    // print area into an ordinary name).
    if (name->builtIn_) refused();

    // A sheet-level name may be given with its own sheet's prefix
    // ("Tabelle1!Werte"); renaming cannot move a name to another scope.
    std::string bare = text;
    const auto split = SplitReference(text);
    if (!split) refused();
    if (split->hasPrefix) {
        if (!scope || !split->workbook.empty() || !EqualsIgnoreCase(split->sheet, scope->name_)) refused();
        bare = split->rest;
    }
    if (bare == name->name_) return;
    CheckNewName(*wb, bare, scope.get(), name.get());
    name->name_ = bare;
    SortNames(*wb);
    MarkDirty(*wb);
}

void HostCore::DeleteName(const NmObj& name) {
    const WbObj wb = name->owner_.lock();
    std::erase(wb->names_, name);
    name->deleted_ = true;
    MarkDirty(*wb);
}

void HostCore::RewriteAllRefersTo(WorkbookObject& wb, const SheetReferenceRewrite& rewrite) {
    for (const NmObj& name : wb.names_) name->refersTo_ = RewriteSheetReferences(name->refersTo_, rewrite);
}

void HostCore::ForEachNameInOpenWorkbooks(const std::function<void(WorkbookObject&, NameObject&)>& visit) {
    for (const auto* list : {&workbooks_, &addins_}) {
        for (const WbObj& wb : *list) {
            for (const NmObj& name : wb->names_) visit(*wb, *name);
        }
    }
}

void HostCore::OnSheetRenamed(WorkbookObject& wb, const std::string& oldName,
                              const std::string& newName) {
    ForEachNameInOpenWorkbooks([&](WorkbookObject& holder, NameObject& name) {
        const bool own = &holder == &wb;
        name.refersTo_ = RewriteSheetReferences(name.refersTo_, [&](const SheetReference& ref)
                                                                    -> std::optional<std::string> {
            if (!EqualsIgnoreCase(ref.sheet, oldName)) return std::nullopt;
            if (own && ref.workbook.empty()) return SheetPrefix(newName);
            if (!own && EqualsIgnoreCase(ref.workbook, wb.name_)) return SheetPrefix(newName, wb.name_);
            return std::nullopt;
        });
    });
    SortNames(wb);  // sheet-level names carry the sheet's name
}

void HostCore::OnSheetDeleted(WorkbookObject& wb, const SheetObject& sheet) {
    // Its own sheet-level names go with the sheet.
    std::erase_if(wb.names_, [&](const NmObj& name) {
        if (name->scope_.lock().get() != &sheet) return false;
        name->deleted_ = true;
        return true;
    });
    // References to it, here and from other workbooks, break: "=#REF!$A$1".
    ForEachNameInOpenWorkbooks([&](WorkbookObject& holder, NameObject& name) {
        const bool own = &holder == &wb;
        name.refersTo_ = RewriteSheetReferences(name.refersTo_, [&](const SheetReference& ref)
                                                                    -> std::optional<std::string> {
            if (!EqualsIgnoreCase(ref.sheet, sheet.name_)) return std::nullopt;
            const bool hit = own ? ref.workbook.empty() : EqualsIgnoreCase(ref.workbook, wb.name_);
            return hit ? std::optional<std::string>("#REF!") : std::nullopt;
        });
    });
}

void HostCore::OnWorkbookRenamed(const std::string& oldName, const std::string& newName) {
    ForEachNameInOpenWorkbooks([&](WorkbookObject&, NameObject& name) {
        name.refersTo_ = RewriteSheetReferences(name.refersTo_, [&](const SheetReference& ref)
                                                                    -> std::optional<std::string> {
            if (ref.workbook.empty() || !EqualsIgnoreCase(ref.workbook, oldName)) return std::nullopt;
            return SheetPrefix(ref.sheet, newName);
        });
    });
}

}  // namespace brackwell::embedded

#pragma once
// Sheet references inside formulas and reference texts: finding "Tabelle1!",
// "'Mein Blatt'!" or "[Mappe2.xlsx]Tabelle1!" so that renaming, deleting,
// copying and moving a sheet can rewrite the RefersTo of defined names the way
// Excel does, and so that Goto can split "Tabelle1!Daten" into its parts.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brackwell::embedded {

// One sheet prefix in a formula: text [begin, end) including the closing '!'.
struct SheetReference {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string workbook;  // empty: the formula's own workbook
    std::string sheet;
};

// Prefixes in formula order. String literals and error values such as #REF!
// are skipped. A 3-D range "Tabelle1:Tabelle3!A1" yields only its last sheet.
std::vector<SheetReference> FindSheetReferences(std::string_view formula);

// Replaces every prefix for which `replace` gives a text (the new prefix with
// its '!', or "#REF!" for a reference that no longer has a target).
using SheetReferenceRewrite = std::function<std::optional<std::string>(const SheetReference&)>;
std::string RewriteSheetReferences(std::string_view formula, const SheetReferenceRewrite& replace);

// Whether a sheet name must be quoted in a reference ('Mein Blatt', '2024',
// 'A1', 'Tabelle1 (2)'); names of letters, digits, "_" and "." need no quotes.
bool NeedsQuotes(std::string_view sheetName);
// The prefix that refers to `sheet` (of `workbook` when given), with the '!'.
std::string SheetPrefix(std::string_view sheet, std::string_view workbook = {});

// A reference text split at its sheet prefix: "Tabelle1!A1", "'Mein Blatt'!Daten",
// "[Mappe2.xlsx]Tabelle1!A1", or just "Daten". Empty for an unbalanced quote or
// an unquoted prefix that would need quotes.
struct ReferenceText {
    bool hasPrefix = false;
    std::string workbook;
    std::string sheet;
    std::string rest;
};
std::optional<ReferenceText> SplitReference(std::string_view text);

}  // namespace brackwell::embedded

#pragma once
// The rules a German Excel applies to the names of sheets and defined names,
// and the names it makes up itself ("Mappe1", "Tabelle4", "Tabelle1 (2)").

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "excel_standin/embedded/cell_reference.h"

namespace brackwell::embedded {

inline constexpr std::string_view kWorkbookBaseName = "Mappe";
inline constexpr std::string_view kWorksheetBaseName = "Tabelle";
inline constexpr std::size_t kMaxSheetNameLength = 31;
inline constexpr std::size_t kMaxDefinedNameLength = 255;
// Files spell Excel's own names (print area, print titles, filter range)
// with this prefix: "_xlnm.Print_Area"; Name.Name gives them without it.
inline constexpr std::string_view kBuiltInNamePrefix = "_xlnm.";
inline std::string_view BareName(std::string_view fileSpelling) {
    return fileSpelling.starts_with(kBuiltInNamePrefix) ? fileSpelling.substr(kBuiltInNamePrefix.size())
                                                        : fileSpelling;
}

// 1 to 31 characters (UTF-16 units), none of : \ / ? * [ ], no control
// character, not starting or ending with an apostrophe. Uniqueness is the
// workbook's business.
bool IsValidSheetName(std::string_view name);

// Starts with a letter, "_" or "\"; then letters, digits, "_" and "."; at most
// 255 characters; not readable as a cell reference. Uniqueness is the scope's.
bool IsValidDefinedName(std::string_view name, GridLimits grid);

using NameTaken = std::function<bool(std::string_view)>;

// The name Excel gives a copy: "Tabelle1 (2)", or "(3)" and on when taken. A
// name that already ends in " (n)" counts on from its stem, so the copy of
// "Tabelle1 (2)" is "Tabelle1 (3)". The stem is shortened so that the result
// still fits 31 characters (UNCONFIRMED: how Excel shortens).
std::string CopyName(std::string_view name, const NameTaken& taken);

// `base` followed by the first number above `after` whose name is free.
// Returns the name and stores the number used in `after`.
std::string NextNumberedName(std::string_view base, int& after, const NameTaken& taken);

// The number N of a name "<base>N" (compared ignoring case), or 0.
int NumberAfterBase(std::string_view name, std::string_view base);

}  // namespace brackwell::embedded

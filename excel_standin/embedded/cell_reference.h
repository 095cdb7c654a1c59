#pragma once
// Cell addresses as Excel reads them in Goto texts and RefersTo formulas, and
// the test that keeps a defined name from looking like one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brackwell::embedded {

// The size of a worksheet grid: it grew with Excel 2007 (version 12).
struct GridLimits {
    std::int32_t rows;
    std::int32_t columns;
};
GridLimits GridForVersion(int majorVersion);

// "A" for 1, "Z" for 26, "AA" for 27 ...
std::string ColumnLetters(std::int32_t column);

// A1 ("A1", "$A$1:B9", "A:C", "$3:$5"), as formulas and RefersTo write
// addresses; absolute R1C1 ("R1C1:R9C2", "R3", "C2"), as Goto takes them.
enum class Notation { A1, R1C1 };

// One or more areas in `notation` separated by commas, as absolute A1
// addresses joined by commas ("$A$1:$B$9"). Empty when the text is not such
// an address or lies outside the grid.
std::optional<std::string> NormalizeAreas(std::string_view text, GridLimits grid, Notation notation);

// True for names that Excel would read as a cell: "A1", "xfd1048576", "R1C1",
// "R", "C", "RC2"; in a German Excel also the Z1S1 forms ("Z", "S", "Z1S1").
bool LooksLikeCellReference(std::string_view name, GridLimits grid);

}  // namespace brackwell::embedded

#pragma once
// The selection of a sheet as the workbook area shows it: the cell blocks of
// an absolute address as the host keeps it ("$A$1:$D$20", "$B$40",
// "$A:$C", "$3:$5", several areas joined by commas), the text of the name box,
// and the first row and column to show so that the selection is in view.

#include <string>
#include <string_view>
#include <vector>

#include "excel_standin/embedded/cell_reference.h"

namespace brackwell::demo {

struct CellBlock {
    int firstRow = 1;  // 1-based, inclusive
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    friend bool operator==(const CellBlock&, const CellBlock&) = default;
};

// The blocks in the order of the areas; whole columns and rows reach the
// grid's edge. Nothing for a text that is no such address.
std::vector<CellBlock> CellBlocksOf(std::string_view address, embedded::GridLimits grid);

// The address as the name box shows it: without the dollar signs.
std::string NameBoxText(std::string_view address);

struct CellOrigin {
    int row = 1;
    int column = 1;
};

// The top-left cell to show in a window of `rows` by `columns` cells: A1,
// unless the first block's top-left cell would be out of view; then that cell.
CellOrigin ScrollOriginFor(const std::vector<CellBlock>& blocks, int rows, int columns);

}  // namespace brackwell::demo

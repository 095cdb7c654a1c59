#include "apps/demo/cell_blocks.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace brackwell::demo {
namespace {

struct CellPart {
    std::optional<int> row;
    std::optional<int> column;
};

// "$A$1", "$A", "$1": the column letters and the row number, either may be missing.
std::optional<CellPart> ReadCell(std::string_view text) {
    CellPart part;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '$') ++i;
    int column = 0;
    std::size_t letters = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
        column = column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
        if (++letters > 3) return std::nullopt;
        ++i;
    }
    if (letters > 0) part.column = column;
    if (i < text.size() && text[i] == '$') ++i;
    int row = 0;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        row = row * 10 + (text[i] - '0');
        if (++digits > 7) return std::nullopt;
        ++i;
    }
    if (digits > 0) part.row = row;
    if (i != text.size() || (!part.row && !part.column)) return std::nullopt;
    return part;
}

std::optional<CellBlock> ReadArea(std::string_view area, embedded::GridLimits grid) {
    const std::size_t colon = area.find(':');
    const auto first = ReadCell(area.substr(0, colon));
    const auto last = colon == std::string_view::npos ? first : ReadCell(area.substr(colon + 1));
    if (!first || !last) return std::nullopt;
    // A cell has both parts; a whole column range neither row, a whole row range neither column.
    if (first->row.has_value() != last->row.has_value() || first->column.has_value() != last->column.has_value()) {
        return std::nullopt;
    }
    CellBlock block;
    block.firstRow = first->row.value_or(1);
    block.lastRow = last->row.value_or(grid.rows);
    block.firstColumn = first->column.value_or(1);
    block.lastColumn = last->column.value_or(grid.columns);
    if (block.firstRow > block.lastRow) std::swap(block.firstRow, block.lastRow);
    if (block.firstColumn > block.lastColumn) std::swap(block.firstColumn, block.lastColumn);
    if (block.firstRow < 1 || block.firstColumn < 1 || block.lastRow > grid.rows || block.lastColumn > grid.columns) {
        return std::nullopt;
    }
    return block;
}

}  // namespace

std::vector<CellBlock> CellBlocksOf(std::string_view address, embedded::GridLimits grid) {
    std::vector<CellBlock> blocks;
    while (!address.empty()) {
        const std::size_t comma = address.find(',');
        const auto block = ReadArea(address.substr(0, comma), grid);
        if (!block) return {};
        blocks.push_back(*block);
        address = comma == std::string_view::npos ? std::string_view() : address.substr(comma + 1);
    }
    return blocks;
}

std::string NameBoxText(std::string_view address) {
    std::string text;
    std::copy_if(address.begin(), address.end(), std::back_inserter(text), [](char c) { return c != '$'; });
    return text;
}

CellOrigin ScrollOriginFor(const std::vector<CellBlock>& blocks, int rows, int columns) {
    CellOrigin origin;
    if (blocks.empty()) return origin;
    const CellBlock& first = blocks.front();
    if (first.firstRow > rows) origin.row = first.firstRow;
    if (first.firstColumn > columns) origin.column = first.firstColumn;
    return origin;
}

}  // namespace brackwell::demo

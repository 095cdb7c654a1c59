#pragma once
// Node keys: "wb" and the workbook's position; a worksheet node's key adds
// "|" and the sheet's position, a defined name's "#" and the name's position.

#include <cstdint>
#include <string>

namespace brackwell {

namespace node_kind {
inline constexpr std::int32_t kWorkbook = 1;
inline constexpr std::int32_t kWorksheet = 2;
inline constexpr std::int32_t kDefinedName = 3;
}  // namespace node_kind

inline constexpr char kSheetSeparator = '|';
inline constexpr char kNameSeparator = '#';

std::string WorkbookKey(std::int32_t workbookPosition);
std::string WorksheetKey(const std::string& workbookKey, std::int32_t sheetPosition);
std::string NameKey(const std::string& workbookKey, std::int32_t namePosition);

// Reads back what a key stands for: returns the kind and puts the number
// behind the separator (for a workbook key, behind "wb") into `Number`. A
// key that holds both separators counts as a worksheet key. Fails with error
// 13 when that text is not a number.
std::int32_t ParseNodeKey(const std::string& Key, std::int32_t& Number);

}  // namespace brackwell

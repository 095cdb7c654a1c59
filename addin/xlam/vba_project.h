#pragma once
// The add-in workbook's VBA project (xl/vbaProject.bin): a compound file with
// the project's description (PROJECT, PROJECTwm), its records (VBA/dir) and
// one stream per module: the workbook's and its sheet's document modules,
// empty but for their attributes, and the standard module. The project
// carries no compiled code (the _VBA_PROJECT stream is its 7-byte header
// alone), so Excel compiles the source when it opens the workbook; it is
// neither locked nor protected by a password.

#include <string>
#include <string_view>

#include "addin/xlam/module_source.h"

namespace brackwell::addin {

// The code names the workbook and its sheet carry in workbook.xml and the
// sheet's part; the project's document modules are named after them.
inline constexpr std::string_view kWorkbookCodeName = "ThisWorkbook";
inline constexpr std::string_view kSheetCodeName = "Tabelle1";

// The compound file's bytes, the project's code page 1252.
std::string VbaProjectBin(const ModuleSource& module);

}  // namespace brackwell::addin

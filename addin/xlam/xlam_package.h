#pragma once
// The add-in workbook (.xlam): an Office Open XML package whose workbook part
// has the macro-enabled add-in content type, one empty worksheet, a minimal
// style sheet, the document's title and description (which Excel's add-in
// dialog shows) and the VBA project.

#include <string>
#include <string_view>

namespace brackwell::addin {

// The package's bytes around `vbaProjectBin`.
std::string XlamPackage(std::string_view vbaProjectBin);

}  // namespace brackwell::addin

#pragma once
// The .xlsx reader and writer fail with the file formats' FormatError, which
// the ZIP writer they share with the add-in workbook's builder throws too.

#include "formats/format_error.h"

namespace brackwell::win::xlsx {
using formats::FormatError;
}  // namespace brackwell::win::xlsx

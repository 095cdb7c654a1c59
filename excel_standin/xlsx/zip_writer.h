#pragma once
// The .xlsx files are written with the ZIP writer the add-in workbook's
// builder uses too.

#include "formats/zip/zip_writer.h"

namespace brackwell::win::xlsx {
using formats::ZipMethod;
using formats::ZipWriter;
}  // namespace brackwell::win::xlsx

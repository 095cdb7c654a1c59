#pragma once
// The ZIP reader reads the format the shared ZIP writer writes.

#include "formats/zip/zip_format.h"

namespace brackwell::win::xlsx {
namespace zip = formats::zip;
}  // namespace brackwell::win::xlsx

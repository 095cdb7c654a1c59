#pragma once
// The tree view's pictures (workbook, worksheet, defined name) for a screen's
// DPI, in the size that DPI needs (PictureSize).

#include <windows.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

// Image list index n - 1 holds picture n (1 ... kTreePictureCount). The
// control fits its rows to the pictures it is given.
ImageListHandle MakeTreePictures(HINSTANCE instance, int dpi);

}  // namespace brackwell::win

#pragma once
// The tree view's pictures (workbook, worksheet, defined name) and its row
// height for a screen's DPI: the pictures in the size that DPI needs
// (PictureSize), rows as high as 96 dpi's scaled, or higher where the
// control's font needs more.

#include <windows.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

// Image list index n - 1 holds picture n (1 ... kTreePictureCount).
ImageListHandle MakeTreePictures(HINSTANCE instance, int dpi);
// Gives `tree` the pictures (the caller keeps owning them) and the row height.
void FitTreeToDpi(HWND tree, HIMAGELIST pictures, int dpi);

}  // namespace brackwell::win

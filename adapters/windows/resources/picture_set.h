#pragma once
// Brackwell's pictures: 16 x 16 icons linked into the module as icon
// resources whose id is the image number (1 workbook, 2 worksheet, 3 defined
// name, 6001 ... 6953 the toolbar's and the menus' pictures; see
// pictures/CREDITS.txt). The module that links brackwell_win_pictures
// carries them; pass its instance handle.

#include <windows.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

inline constexpr int kPictureSize = 16;

// The picture as an icon; empty when the module has no picture of that number.
IconHandle LoadPicture(HINSTANCE instance, int imageNumber);

// The picture as a 32-bit top-down DIB section with premultiplied alpha, the
// form menus (MENUITEMINFO::hbmpItem) and AlphaBlend draw with transparency.
// `greyed`: the grey, faded picture of a disabled command. Empty when the
// module has no picture of that number.
BitmapHandle LoadPictureBitmap(HINSTANCE instance, int imageNumber, bool greyed = false);

// Draws a bitmap made by LoadPictureBitmap with its transparency.
void DrawPictureBitmap(HDC dc, int x, int y, HBITMAP picture);

}  // namespace brackwell::win

#pragma once
// Brackwell's pictures: icons linked into the module as icon resources whose
// id is the image number (1 workbook, 2 worksheet, 3 defined name, 6001 ...
// 6953 the toolbar's and the menus' pictures; see pictures/CREDITS.txt), each
// holding 16, 20, 24 and 32 pixel images, shown larger only by whole
// multiples; PictureSize (dpi.h) says which size a screen's DPI needs. The module that links brackwell_win_pictures carries
// them; pass its instance handle.

#include <windows.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

inline constexpr int kPictureSize = 16;  // at 96 dpi

// The picture as a `size` x `size` icon (a stored size or a whole multiple
// of one); empty when the module has no picture of that number.
IconHandle LoadPicture(HINSTANCE instance, int imageNumber, int size = kPictureSize);

// The picture as a 32-bit top-down DIB section with premultiplied alpha, the
// form menus (MENUITEMINFO::hbmpItem) and AlphaBlend draw with transparency.
// `greyed`: the grey, faded picture of a disabled command. `size`: a stored
// size or a whole multiple of one (PictureSize). Empty when the module has no
// picture of that number or size.
BitmapHandle LoadPictureBitmap(HINSTANCE instance, int imageNumber, bool greyed = false, int size = kPictureSize);

// The width of a bitmap (0 for none): the size of a picture it holds.
int PictureBitmapSize(HBITMAP picture);

// Draws a bitmap made by LoadPictureBitmap with its transparency, at its own
// size.
void DrawPictureBitmap(HDC dc, int x, int y, HBITMAP picture);

}  // namespace brackwell::win

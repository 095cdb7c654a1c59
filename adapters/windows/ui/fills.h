#pragma once
// Rectangles filled or framed in one colour, or filled with a two-colour
// gradient, as the bars, their menus and the dialogs' picture strip draw them.

#include <windows.h>

namespace brackwell::win {

enum class GradientDirection { LeftToRight, TopToBottom };

void FillSolid(HDC dc, const RECT& r, COLORREF color);
void FrameSolid(HDC dc, const RECT& r, COLORREF color);
void FillGradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, GradientDirection direction);

}  // namespace brackwell::win

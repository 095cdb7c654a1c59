#pragma once
// A rectangle filled with a two-colour gradient, as the bars, their menus and
// the dialogs' picture strip draw their backgrounds.

#include <windows.h>

namespace brackwell::win {

enum class GradientDirection { LeftToRight, TopToBottom };

void FillGradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, GradientDirection direction);

}  // namespace brackwell::win

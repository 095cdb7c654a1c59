#include "adapters/windows/ui/fills.h"

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    BrushHandle brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, brush.Get());
}

void FrameSolid(HDC dc, const RECT& r, COLORREF color) {
    BrushHandle brush(::CreateSolidBrush(color));
    ::FrameRect(dc, &r, brush.Get());
}

void FillGradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, GradientDirection direction) {
    TRIVERTEX vertices[2] = {
        {r.left, r.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
         static_cast<COLOR16>(GetBValue(from) << 8), 0},
        {r.right, r.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
         static_cast<COLOR16>(GetBValue(to) << 8), 0},
    };
    GRADIENT_RECT rect{0, 1};
    ::GdiGradientFill(dc, vertices, 2, &rect, 1,
                      direction == GradientDirection::TopToBottom ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace brackwell::win

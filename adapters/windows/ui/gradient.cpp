#include "adapters/windows/ui/gradient.h"

namespace brackwell::win {

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

#pragma once
// Colour values of the ports (0x00BBGGRR, or a system colour when the top
// bit is set, as OLE_COLOR) as GDI colours.

#include <windows.h>

#include "host/color.h"

namespace brackwell::win {

inline COLORREF ToColorRef(Color color) {
    if (color & 0x80000000u) return ::GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace brackwell::win

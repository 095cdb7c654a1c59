#pragma once
// Dots per inch and the sizes that follow from them. Brackwell's geometry is
// given for a 96-dpi screen (pixels) or in twips (1440 to the inch); on a
// screen of another DPI every such pixel becomes DPI/96 pixels, as Windows'
// own scaling of programs that know nothing of DPI would make it, and a
// DPI-aware host gets the same look without that blur. At 96 dpi every
// size stays exactly as given.

#include <windows.h>

namespace brackwell::win {

inline constexpr int kBaseDpi = 96;

// The DPI the system tells programs that are aware of it (the screen's
// LogPixels); 96 when it cannot be read.
int SystemDpi();
// The DPI of the monitor `window` shows on where the system tells it per
// window (GetDpiForWindow: a host aware of per-monitor DPI), else SystemDpi.
int WindowDpi(HWND window);

// For one scope the thread makes its windows in the DPI awareness of
// `window` (Windows 10 1607 and later; elsewhere nothing changes): a child
// made for a host's window scales as that window does, also in a host that
// mixes awarenesses (Office runs its task panes' windows aware of the
// system DPI only).
class DpiAwarenessOf {
public:
    explicit DpiAwarenessOf(HWND window) noexcept;
    ~DpiAwarenessOf();
    DpiAwarenessOf(const DpiAwarenessOf&) = delete;
    DpiAwarenessOf& operator=(const DpiAwarenessOf&) = delete;

private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// The DPI `window` is laid out for: that of the innermost window of
// Brackwell's own around it (this thread's) that answers LayoutDpiQuery()
// with the DPI it was last told (WM_DPICHANGED), else WindowDpi. A menu
// opened over the pane measures itself for the pane's screen.
int LayoutDpi(HWND window);
UINT LayoutDpiQuery();

// 96-dpi pixels at `dpi`, rounded to the nearest pixel (MulDiv).
int Scale(int pixels, int dpi);
// Pixels at `dpi` in 96-dpi pixels, rounded likewise: Scale's inverse, exact
// for values Scale made at 96 dpi or above.
int Unscale(int pixels, int dpi);
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);
// The height of a font of `points` at `dpi`, as LOGFONT::lfHeight wants it.
LONG FontHeight(double points, int dpi);
// The system's fonts at `dpi`: the icon titles' (the tree and list views'
// font) and the menus'. Asked for that DPI where the system can
// (SystemParametersInfoForDpi), else the system DPI's, scaled.
LOGFONTW IconTitleFont(int dpi);
LOGFONTW MenuFont(int dpi);

// Widens a client rectangle to its window's with the frame of `style` and
// `exStyle` (no menu) at `dpi`: AdjustWindowRectExForDpi where the system
// has it, else the frame of the system's DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// The size of a picture (16 x 16 at 96 dpi) at `dpi`: the largest size
// the pictures are stored in (16, 20, 24, 32: 100, 125, 150, 200 %), or a
// whole multiple of one (40, 48, ...), that is no larger than 16 scaled, so
// that a picture is shown in one of its own sizes or each of its pixels
// enlarged alike, never stretched to a size in between.
int PictureSize(int dpi);

}  // namespace brackwell::win

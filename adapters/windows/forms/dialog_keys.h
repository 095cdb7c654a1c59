#pragma once
// The keys of a dialog beyond what the system's dialog navigation does:
// arrows among its colour boxes, and Enter as a click on the bar's OK.

#include <windows.h>

namespace brackwell::win {

class WinToolbar;

// The colour box an arrow key moves to from `box`: Left and Right the one
// before or after it in the tab order (the picker's index order), Up and
// Down the nearest one above or below; `box` itself when there is none.
HWND NeighbourBox(HWND box, UINT arrowKey);

// Enter in a dialog: a click on the bar's "mnuOk", exactly as the mouse
// makes it, so a disabled OK does nothing. False when the bar has no OK.
bool ConfirmThroughBar(WinToolbar& bar);

}  // namespace brackwell::win

#pragma once
// A press on a sheet of another workbook in the pane, as the user makes it:
// the real brackwell.dll (loaded as COM loads it) on the embedded host behind
// its automation facade, docked in a host window, every workbook expanded.
// The press activates the sheet in the host, whose events rebuild the tree
// while the press is still being handled; timed from the press (a
// WM_LBUTTONDOWN on the row) to the end of the tree's last repaint, once
// no message waits any more. Best and median over the rounds, each round a
// sheet of the workbook that was not active, scrolled into view untimed.

namespace brackwell::bench {

// Prints the figures; false when a press did not make its sheet the host's
// active one.
bool ReportPressToSettled(int workbooks, int sheets, int names, int rounds);

}  // namespace brackwell::bench

#pragma once
// The demo as Excel 2003: one main window with its command-bar docks, and the
// real navigator loaded through COM exactly as Excel runs the host-side
// module (create "Brackwell.Wayfinder", Set mExcel, CreateNavBar, SizeOn on
// resizing, UpdateTree from the command-bar button's macro "UpdateNav",
// DelNavBar on closing).

#include "apps/demo/demo_session.h"

namespace brackwell::demo {

// Runs the session's demo as Excel 2003; the process's exit code.
int RunClassicDemo(DemoSession& session);

}  // namespace brackwell::demo

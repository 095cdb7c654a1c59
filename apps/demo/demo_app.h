#pragma once
// The demo host: plays the spreadsheet application around the embedded host
// in the generation asked for. As Excel 2003 it loads the real navigator
// through COM as Excel runs the host-side module (classic_demo.h); as Excel
// 2010 or 2016 it loads the user's COM add-ins, Brackwell's among them, as
// Excel does (office_demo.h).

#include <windows.h>

#include "apps/demo/demo_options.h"

namespace brackwell::demo {

// Runs the demo in the given mode on this thread (which it opens for COM with
// OleInitialize); returns the process's exit code.
int RunDemo(HINSTANCE instance, const DemoOptions& options);

}  // namespace brackwell::demo

#pragma once
// The demo host: plays the spreadsheet application around the embedded host
// and loads the real navigator through COM, exactly as Excel does with the
// host-side module (create "Brackwell.Wayfinder", Set mExcel, CreateNavBar,
// SizeOn on resizing, UpdateTree from the command-bar button's macro
// "UpdateNav", DelNavBar on closing).

#include <windows.h>

#include "apps/demo/demo_options.h"

namespace brackwell::demo {

// Runs the demo in the given mode on this thread (which it opens for COM with
// OleInitialize); returns the process's exit code.
int RunDemo(HINSTANCE instance, const DemoOptions& options);

}  // namespace brackwell::demo

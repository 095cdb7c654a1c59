#pragma once
// A picture of a window as drawn, frame and children included, written as a
// 24-bit BMP file: screenshots of the demo and of the pane under test.

#include <windows.h>

#include <string>
#include <vector>

namespace brackwell::win {

// Repaints the window with its frame and children first. False when the window could
// not be read or the file not written.
bool WriteWindowBitmap(HWND window, const std::wstring& path);
// Several windows in one picture, each where it stands on the screen, in the
// rectangle that holds them all (white where none is).
bool WriteWindowsBitmap(const std::vector<HWND>& windows, const std::wstring& path);

}  // namespace brackwell::win

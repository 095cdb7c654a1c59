#pragma once
// A picture of a window as drawn, frame and children included, written as a
// 24-bit BMP file: screenshots of the demo and of the pane under test.

#include <windows.h>

#include <string>

namespace brackwell::win {

// Repaints the window with its frame and children first. False when the window could
// not be read or the file not written.
bool WriteWindowBitmap(HWND window, const std::wstring& path);

}  // namespace brackwell::win

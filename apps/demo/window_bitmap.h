#pragma once
// A picture of a window as it is on the screen, written as a 24-bit BMP file.

#include <windows.h>

#include <string>

namespace brackwell::demo {

// Repaints the window with its children first. False when the screen could
// not be read or the file not written.
bool WriteWindowBitmap(HWND window, const std::wstring& path);

}  // namespace brackwell::demo

#pragma once
// Items of the system's popup menus with 16 x 16 pictures, and showing such a
// menu modally. Shared by the popup menu and the toolbar's drop-down menus.

#include <windows.h>

#include <string>

namespace brackwell::win {

// Appends a command item with id `id`; `picture` (a 32-bit premultiplied
// bitmap, may be null) stays owned by the caller and must outlive the menu.
bool AppendMenuCommand(HMENU menu, UINT id, const std::wstring& caption, HBITMAP picture, bool enabled,
                       bool checked);
bool AppendMenuSeparator(HMENU menu, UINT id);

// Shows `menu` at `screen` (the pointer position when null) and waits until
// it closes. Returns the chosen item's id, 0 when dismissed.
UINT TrackMenu(HMENU menu, HWND owner, const POINT* screen);

// Creates the hidden window that owns a modal menu: TrackPopupMenuEx needs
// an owner window on the calling thread, and the caller may have none.
HWND CreateMenuOwnerWindow(HINSTANCE instance);

}  // namespace brackwell::win

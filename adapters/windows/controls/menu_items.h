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

// Shows `menu` at `screen` (when null: at the anchor of the running
// keyboard command, else at the pointer) and waits until it closes. Returns
// the chosen item's id, 0 when dismissed.
UINT TrackMenu(HMENU menu, HWND owner, const POINT* screen);

// While one lives, a menu asked to open at the pointer opens at `screen`
// instead: a menu called up from the keyboard belongs beside the node it is
// for, wherever the pointer happens to be. Nests; one thread's menus only.
class MenuAnchor {
public:
    explicit MenuAnchor(POINT screen) noexcept;
    MenuAnchor(const MenuAnchor&) = delete;
    MenuAnchor& operator=(const MenuAnchor&) = delete;
    ~MenuAnchor();

private:
    const POINT* previous_;
    POINT screen_;
};

// Creates the hidden window that owns a modal menu: TrackPopupMenuEx needs
// an owner window on the calling thread, and the caller may have none.
HWND CreateMenuOwnerWindow(HINSTANCE instance);

}  // namespace brackwell::win

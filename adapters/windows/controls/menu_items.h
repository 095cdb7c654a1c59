#pragma once
// Owner-drawn popup menus with 16 x 16 pictures, and showing such a menu
// modally. Shared by the popup menu and the toolbar's drop-down menus.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/controls/menu_painter.h"
#include "adapters/windows/ui/win_handles.h"

namespace brackwell::win {

// A popup menu whose rows its owner window draws in a MenuLook: the window
// that shows it passes WM_MEASUREITEM and WM_DRAWITEM to
// AnswerMenuItemMessage. The system keeps the keyboard, the states (checked,
// greyed) and the ids; item n has id n.
class OwnerDrawnMenu {
public:
    OwnerDrawnMenu();
    OwnerDrawnMenu(const OwnerDrawnMenu&) = delete;
    OwnerDrawnMenu& operator=(const OwnerDrawnMenu&) = delete;
    ~OwnerDrawnMenu();

    HMENU Handle() const { return menu_.Get(); }
    void Clear();
    // `caption` shows exactly as given, "&" included. `picture` (see
    // LoadPictureBitmap, may be null) stays owned by the caller and must
    // outlive the menu.
    bool AppendCommand(const std::wstring& caption, HBITMAP picture, bool enabled, bool checked);
    bool AppendSeparator();
    // The picture of the row at `position` (0-based), owned as AppendCommand's.
    void SetPicture(UINT position, HBITMAP picture);
    // The look the rows are measured and drawn in; set before showing.
    void SetLook(const MenuLook& look);
    const MenuPainter* Painter() const { return painter_.get(); }

private:
    struct Row;
    friend bool AnswerMenuItemMessage(UINT message, LPARAM lParam);
    bool Insert(std::unique_ptr<Row> row, MENUITEMINFOW& item);
    void ApplyBackground() const;

    MenuHandle menu_;
    std::vector<std::unique_ptr<Row>> rows_;  // the system holds pointers to them
    std::unique_ptr<MenuPainter> painter_;
};

// For the owner window of a showing OwnerDrawnMenu: answers the sizing and
// drawing of its rows. True when `message` was one of those.
bool AnswerMenuItemMessage(UINT message, LPARAM lParam);

// Where a menu asked to open at `screen` opens: there, or when null at the
// anchor of the running keyboard command, else at the pointer.
POINT MenuPoint(const POINT* screen);
// Shows `menu` at MenuPoint(screen) and waits until it closes. Returns the
// chosen item's id, 0 when dismissed.
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

// Creates the hidden window that owns a modal menu and draws its rows:
// TrackPopupMenuEx needs an owner window on the calling thread, and the
// caller may have none.
HWND CreateMenuOwnerWindow(HINSTANCE instance);

}  // namespace brackwell::win

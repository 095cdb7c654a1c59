#include "adapters/windows/controls/menu_items.h"

#include "adapters/windows/ui/window_class.h"

namespace brackwell::win {
namespace {

constexpr wchar_t kMenuOwnerClass[] = L"BrackwellMenuOwner";

thread_local const POINT* anchor = nullptr;  // the innermost living MenuAnchor's point

}  // namespace

bool AppendMenuCommand(HMENU menu, UINT id, const std::wstring& caption, HBITMAP picture, bool enabled,
                       bool checked) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE | (picture ? MIIM_BITMAP : 0);
    item.fType = MFT_STRING;
    item.fState = (enabled ? MFS_ENABLED : MFS_GRAYED) | (checked ? MFS_CHECKED : MFS_UNCHECKED);
    item.wID = id;
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    item.hbmpItem = picture;
    return ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &item) != FALSE;
}

bool AppendMenuSeparator(HMENU menu, UINT id) {
    return ::AppendMenuW(menu, MF_SEPARATOR, id, nullptr) != FALSE;
}

UINT TrackMenu(HMENU menu, HWND owner, const POINT* screen) {
    POINT at{};
    if (screen) {
        at = *screen;
    } else if (anchor) {
        at = *anchor;
    } else {
        ::GetCursorPos(&at);
    }
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY;
    const BOOL chosen = ::TrackPopupMenuEx(menu, flags, at.x, at.y, owner, nullptr);
    // Lets the owner's thread leave menu mode cleanly before the next menu.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<UINT>(chosen);
}

MenuAnchor::MenuAnchor(POINT screen) noexcept : previous_(anchor), screen_(screen) { anchor = &screen_; }

MenuAnchor::~MenuAnchor() { anchor = previous_; }

HWND CreateMenuOwnerWindow(HINSTANCE instance) {
    if (!EnsureWindowClass(instance, kMenuOwnerClass, ::DefWindowProcW)) return nullptr;
    return ::CreateWindowExW(WS_EX_TOOLWINDOW, kMenuOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             instance, nullptr);
}

}  // namespace brackwell::win

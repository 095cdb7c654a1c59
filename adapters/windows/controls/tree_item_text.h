#pragma once
// The text of one item of any SysTreeView32, for code that looks at a tree
// from outside (the demo's readiness check, tests reading what is shown).

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace brackwell::win {

// Asked with the wide message whatever UNICODE says, so any name comes back
// whole. Empty when the item cannot be read.
inline std::wstring TreeItemText(HWND tree, HTREEITEM item) {
    wchar_t text[512] = {};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 512;
    if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return {};
    return text;
}

}  // namespace brackwell::win

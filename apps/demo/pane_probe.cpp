#include "apps/demo/pane_probe.h"

#include <commctrl.h>

#include "adapters/windows/controls/tree_item_text.h"

namespace brackwell::demo {
namespace {

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
    wchar_t name[64] = {};
    ::GetClassNameW(child, name, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(child, &process);
    if (std::wstring_view(name) != WC_TREEVIEWW || process != ::GetCurrentProcessId()) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

HWND FindPaneTree(HWND window) {
    HWND tree = nullptr;
    if (window) ::EnumChildWindows(window, FindTree, reinterpret_cast<LPARAM>(&tree));  // every level below
    return tree;
}

bool TreeShows(HWND tree) {
    RECT place{};
    return tree && ::IsWindowVisible(tree) && ::GetWindowRect(tree, &place) && place.right > place.left &&
           place.bottom > place.top;
}

int VisibleWidth(HWND window) {
    RECT seen{};
    if (!window || !::IsWindowVisible(window) || !::GetWindowRect(window, &seen)) return 0;
    for (HWND parent = ::GetParent(window); parent; parent = ::GetParent(parent)) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!::IntersectRect(&seen, &seen, &client)) return 0;
    }
    return seen.right - seen.left;
}

std::vector<std::wstring> RootItemTexts(HWND tree) {
    std::vector<std::wstring> texts;
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
        texts.push_back(win::TreeItemText(tree, item));
    }
    return texts;
}

std::wstring SelectedItemText(HWND tree) {
    HTREEITEM selected = TreeView_GetSelection(tree);
    return selected ? win::TreeItemText(tree, selected) : std::wstring();
}

int ItemCount(HWND tree) { return static_cast<int>(TreeView_GetCount(tree)); }

}  // namespace brackwell::demo

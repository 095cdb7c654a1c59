#include "apps/demo/pane_probe.h"

#include <commctrl.h>

#include "adapters/windows/controls/tree_item_text.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kDockClass[] = L"EXCEL2";

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

HWND FindPaneTree(HWND mainWindow) {
    HWND dock = ::FindWindowExW(mainWindow, nullptr, kDockClass, nullptr);
    if (!dock) return nullptr;
    HWND tree = nullptr;
    ::EnumChildWindows(dock, FindTree, reinterpret_cast<LPARAM>(&tree));  // every level below the dock
    return tree;
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

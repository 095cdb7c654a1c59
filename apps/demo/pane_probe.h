#pragma once
// Looks at the navigator's pane from outside, as a user sees it: the tree
// view the pane put into the host window's dock, and its items.

#include <windows.h>

#include <string>
#include <vector>

namespace brackwell::demo {

// The first SysTreeView32 under the "EXCEL2" dock of `mainWindow` that
// belongs to this process, or null.
HWND FindPaneTree(HWND mainWindow);

// The texts of the tree's top-level items, in the order shown.
std::vector<std::wstring> RootItemTexts(HWND tree);

// The text of the selected item; empty when none is selected.
std::wstring SelectedItemText(HWND tree);

// How many items the tree holds at all levels.
int ItemCount(HWND tree);

}  // namespace brackwell::demo

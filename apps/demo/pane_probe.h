#pragma once
// Looks at the navigator's pane from outside, as a user sees it: the tree
// view the pane put into a host window (its dock, or its task pane), and its
// items.

#include <windows.h>

#include <string>
#include <vector>

namespace brackwell::demo {

// The first SysTreeView32 of this process at any depth under `window`, or null.
HWND FindPaneTree(HWND window);
// The tree is on the screen: shown with all its parents and not empty.
bool TreeShows(HWND tree);
// How much of a window's width its parents leave to be seen.
int VisibleWidth(HWND window);

// The texts of the tree's top-level items, in the order shown.
std::vector<std::wstring> RootItemTexts(HWND tree);

// The text of the selected item; empty when none is selected.
std::wstring SelectedItemText(HWND tree);

// How many items the tree holds at all levels.
int ItemCount(HWND tree);

}  // namespace brackwell::demo

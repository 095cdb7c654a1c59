#include "tests/windows_com/host_window.h"

#include <commctrl.h>

#include <stdexcept>

#include "adapters/windows/controls/tree_item_text.h"

namespace brackwell::win::test {
namespace {

constexpr wchar_t kMainClass[] = L"XLMAIN";
constexpr wchar_t kDockClass[] = L"EXCEL2";

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

void RegisterClassOnce(const wchar_t* name, int backgroundColor) {
    WNDCLASSW wc{};
    if (GetClassInfoW(ThisModule(), name, &wc)) return;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ThisModule();
    wc.lpszClassName = name;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    RegisterClassW(&wc);
}

// One main window for the whole process: without a window manager, Wine
// takes two seconds to destroy a top-level window.
HWND SharedMainWindow() {
    static HWND window = [] {
        RegisterClassOnce(kMainClass, COLOR_APPWORKSPACE);
        return CreateWindowExW(0, kMainClass, L"Microsoft Excel - Brackwell", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                               1000, 800, nullptr, nullptr, ThisModule(), nullptr);
    }();
    return window;
}

BOOL CALLBACK FindTree(HWND child, LPARAM data) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpW(name, WC_TREEVIEWW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

// `item` and its siblings, each followed by its children, in the order the control shows them.
void CollectItems(HWND tree, HTREEITEM item, std::size_t depth, std::vector<std::wstring>& items) {
    for (; item; item = TreeView_GetNextSibling(tree, item)) {
        items.push_back(std::wstring(depth * 2, L' ') + TreeItemText(tree, item));
        CollectItems(tree, TreeView_GetChild(tree, item), depth + 1, items);
    }
}

}  // namespace

HostWindow::HostWindow() : main_(SharedMainWindow()) {
    if (!main_) throw std::runtime_error("no host window");
    RegisterClassOnce(kDockClass, COLOR_BTNFACE);
    dock_.Reset(CreateWindowExW(0, kDockClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 30, 240, 700, main_,
                                nullptr, ThisModule(), nullptr));
    if (!dock_) throw std::runtime_error("no dock window");
}

HWND HostWindow::PaneTree() const {
    HWND tree = nullptr;
    EnumChildWindows(dock_.Get(), FindTree, reinterpret_cast<LPARAM>(&tree));
    return tree;
}

std::vector<std::wstring> HostWindow::TreeItems() const {
    std::vector<std::wstring> items;
    if (HWND tree = PaneTree()) CollectItems(tree, TreeView_GetRoot(tree), 0, items);
    return items;
}

}  // namespace brackwell::win::test

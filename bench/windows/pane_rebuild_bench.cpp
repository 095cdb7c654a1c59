// What a full tree rebuild costs in the real pane compared with the fastest
// way to put the same nodes into a bare tree view. 20 workbooks with 250
// worksheets and 250 defined names each (10,020 nodes): the rebuild reads
// the host through the automation facade and fills the pane's tree; the bare
// insert puts the same texts, pictures, bold states and colours straight
// into a SysTreeView32 with redraw off, each workbook expanded once its
// children are in. Prints both times and their ratio. Not a test.
//   pane_rebuild_bench [rounds]

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/windows_pane/pane_scene.h"

namespace {

using namespace brackwell;
using Clock = std::chrono::steady_clock;

constexpr int kWorkbooks = 20;
constexpr int kSheets = 250;
constexpr int kNames = 250;

// The bare tree's parent colours each item from its item data, as the
// pane's tree does from its nodes.
LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.hdr.code == NM_CUSTOMDRAW) {
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                draw->clrText = static_cast<COLORREF>(draw->nmcd.lItemlParam);
                return CDRF_DODEFAULT;
            }
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

double BareInsert(HWND tree, const std::vector<win::test::ItemView>& items) {
    const auto start = Clock::now();
    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree);
    std::vector<HTREEITEM> parents(2, TVI_ROOT);
    HTREEITEM selected = nullptr;
    HTREEITEM openBook = nullptr;
    auto expandFinished = [&] {
        if (openBook) TreeView_Expand(tree, openBook, TVE_EXPAND);
        openBook = nullptr;
    };
    for (const auto& item : items) {
        if (item.depth == 0) expandFinished();
        TVINSERTSTRUCTW insert{};
        insert.hParent = item.depth == 0 ? TVI_ROOT : parents[0];
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
        insert.item.pszText = const_cast<wchar_t*>(item.text.c_str());
        insert.item.iImage = insert.item.iSelectedImage = item.image;
        insert.item.lParam = static_cast<LPARAM>(item.drawnColor);
        insert.item.stateMask = TVIS_BOLD;
        insert.item.state = item.bold ? TVIS_BOLD : 0;
        const HTREEITEM added =
            reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        if (item.depth == 0) {
            parents[0] = added;
            if (item.expanded) openBook = added;
        }
        if (item.selected) selected = added;
    }
    expandFinished();
    if (selected) {
        TreeView_SelectItem(tree, selected);
        TreeView_EnsureVisible(tree, selected);
    }
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree, nullptr, TRUE);
    ::UpdateWindow(tree);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(const char* label, double seconds, int nodes) {
    std::printf("%-46s %8.1f ms  %6.2f us/node\n", label, seconds * 1e3, seconds * 1e6 / nodes);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    win::test::PaneScene scene({.dockHeight = 700, .settings = {{"MapExpand", "True"}}});
    std::vector<std::string> sheets;
    for (int s = 1; s <= kSheets; ++s) sheets.push_back("Tabelle" + std::to_string(s));
    for (int w = 1; w <= kWorkbooks; ++w) {
        auto book = scene.excel.CreateWorkbook("Mappe" + std::to_string(w) + ".xlsx", sheets, "C:\\Daten");
        for (int n = 1; n <= kNames; ++n)
            scene.excel.AddName(book, "Name" + std::to_string(n), "=Tabelle1!$A$" + std::to_string(n));
    }
    scene.nav->CreateNavBar();
    scene.Pump();

    double rebuild = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        scene.nav->UpdateTree();
        ::UpdateWindow(scene.TreeWindow());
        rebuild = std::min(rebuild, std::chrono::duration<double>(Clock::now() - start).count());
    }
    const auto items = win::test::ReadTree(scene.TreeWindow(), ::GetSysColor(COLOR_WINDOWTEXT));

    // The bare tree view: same size, beside the pane in the same host window.
    WNDCLASSW wc{};
    wc.lpfnWndProc = BareParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BareTreeParent";
    ::RegisterClassW(&wc);
    RECT paneTree{};
    ::GetClientRect(scene.TreeWindow(), &paneTree);
    HWND parent = ::CreateWindowExW(0, L"BareTreeParent", L"", WS_CHILD | WS_VISIBLE, 300, 40, paneTree.right,
                                    paneTree.bottom, scene.MainWindow(), nullptr, wc.hInstance, nullptr);
    HWND tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"",
                                  WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS,
                                  0, 0, paneTree.right, paneTree.bottom, parent, nullptr, wc.hInstance, nullptr);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (int i = 0; i < 3; ++i) ImageList_AddIcon(images, ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
    TreeView_SetImageList(tree, images, TVSIL_NORMAL);

    double bare = 1e9;
    for (int r = 0; r < rounds; ++r) bare = std::min(bare, BareInsert(tree, items));

    const int nodes = static_cast<int>(items.size());
    std::printf("%d workbooks x (1 + %d sheets + %d names) = %d nodes, best of %d\n", kWorkbooks, kSheets, kNames,
                nodes, rounds);
    Report("rebuild through the facade into the pane", rebuild, nodes);
    Report("same nodes into a bare tree view", bare, nodes);
    std::printf("ratio rebuild / bare insert: %.2f (target: at most 1.5)\n", rebuild / bare);

    ::DestroyWindow(parent);
    ImageList_Destroy(images);
    return 0;
}

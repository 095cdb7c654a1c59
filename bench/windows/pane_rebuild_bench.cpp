// What a tree rebuild costs in the real pane compared with the floor: the
// same nodes put into a bare tree view from empty by the fastest means
// comctl32 offers. Workbooks of 250 worksheets and 250 defined names each, at
// about 1,000, 10,000 and 100,000 nodes. A rebuild reads the whole host
// through the automation facade and builds the pane's tree anew; the control
// then changes only the rows that differ. Timed: the rebuild from an emptied
// tree (every item made anew, as a first build), after an event that changed
// nothing, after activating a sheet of another workbook, after adding one
// sheet and after closing one workbook (set up silently, untimed, before
// each). The floor inserts the texts, pictures, bold states and colours the
// pane shows straight into a SysTreeView32 beside it, redraw off, in each of
// the ways below, and the way that is fastest as a rule counts; every way
// must end showing exactly what the pane shows (items, states, colours, the
// row at the top). All are timed round by round in turn, with the window
// messages of the previous round let through untimed; the best round of each
// is what it costs (other processes on the machine, the X server and the
// Wine server only ever add time), the median how steady that is. Then the
// process's working set before and after 100 rebuilds of 10,000 nodes; and,
// below 100,000 nodes, a press on another workbook's sheet timed until the
// pane has settled (press_to_settled.h).
// Prints the figures; not a test.
//   pane_rebuild_bench [rounds [workbooks ...]]
// (15 rounds, a third of them at 100,000 nodes; 2, 20 and 200 workbooks and
// the memory figures when no sizes are given.) Exits with 1 when a bare tree
// does not show what the pane shows or a press did not reach its sheet.

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/windows/press_to_settled.h"
#include "tests/windows_pane/pane_scene.h"

namespace {

using namespace brackwell;
using Clock = std::chrono::steady_clock;
using win::test::ItemView;

constexpr int kSheets = 250;
constexpr int kNames = 250;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The bare tree's parent colours each item from its item data, as the
// pane's tree does from its nodes.
LRESULT CALLBACK BareParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.hdr.code == NM_CUSTOMDRAW) {
            if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
                draw->clrText = static_cast<COLORREF>(draw->nmcd.lItemlParam);
                return CDRF_NEWFONT;
            }
        }
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The ways of filling the bare tree. Wine's tree view finds a parent by
// walking its items in the order they were made, so the order matters.
enum class Fill {
    DepthFirst,      // in display order, a workbook expanded once its children are in
    ParentsFirst,    // all workbooks, then their children; expanded once the children are in
    ExpandedState,   // parents first, the expanded state given with the workbook's item
    Direct,          // parents first, each message straight to the control's window procedure
};
constexpr Fill kFills[] = {Fill::DepthFirst, Fill::ParentsFirst, Fill::ExpandedState, Fill::Direct};

const char* Describe(Fill fill) {
    switch (fill) {
    case Fill::DepthFirst: return "display order, expand after the children";
    case Fill::ParentsFirst: return "parents first, expand after the children";
    case Fill::ExpandedState: return "parents first, expanded state with the item";
    case Fill::Direct: return "parents first, window procedure called directly";
    }
    return "";
}

// SendMessageW, or the control's window procedure called directly (no
// dispatch by the window system).
struct Control {
    HWND tree;
    WNDPROC direct = nullptr;
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return direct ? ::CallWindowProcW(direct, tree, message, wParam, lParam)
                      : ::SendMessageW(tree, message, wParam, lParam);
    }
    void Expand(HTREEITEM item) const { Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
};

HTREEITEM Insert(const Control& tree, HTREEITEM parent, const ItemView& item, bool expandedState) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.pszText = const_cast<wchar_t*>(item.text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = item.image;
    insert.item.lParam = static_cast<LPARAM>(item.drawnColor);
    insert.item.stateMask = TVIS_BOLD | (expandedState ? TVIS_EXPANDED : 0);
    insert.item.state = (item.bold ? TVIS_BOLD : 0) | (expandedState && item.expanded ? TVIS_EXPANDED : 0);
    return reinterpret_cast<HTREEITEM>(tree.Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// One bare fill from an empty tree to its painted end. The items are one
// level of workbooks with one level of children, as the pane shows them.
// `clearing` receives the part spent deleting the previous round's items.
double BareFill(HWND tree, const std::vector<ItemView>& items, Fill fill, double& clearing) {
    const Control control{tree, fill == Fill::Direct ? reinterpret_cast<WNDPROC>(
                                                           ::GetWindowLongPtrW(tree, GWLP_WNDPROC))
                                                     : nullptr};
    const auto start = Clock::now();
    ::SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree);
    clearing = Seconds(start);
    const bool expandedState = fill == Fill::ExpandedState;
    std::vector<HTREEITEM> books;
    std::vector<HTREEITEM> toExpand;
    HTREEITEM selected = nullptr;
    if (fill == Fill::DepthFirst) {
        HTREEITEM openBook = nullptr;
        auto expandFinished = [&] {
            if (openBook) control.Expand(openBook);
            openBook = nullptr;
        };
        for (const auto& item : items) {
            if (item.depth == 0) {
                expandFinished();
                books.push_back(Insert(control, TVI_ROOT, item, false));
                if (item.expanded) openBook = books.back();
            } else {
                const HTREEITEM added = Insert(control, books.back(), item, false);
                if (item.selected) selected = added;
            }
        }
        expandFinished();
    } else {
        for (const auto& item : items) {
            if (item.depth != 0) continue;
            books.push_back(Insert(control, TVI_ROOT, item, expandedState));
            if (item.expanded && !expandedState) toExpand.push_back(books.back());
        }
        std::size_t book = 0;
        for (const auto& item : items) {
            if (item.depth == 0) {
                ++book;
                continue;
            }
            const HTREEITEM added = Insert(control, books[book - 1], item, expandedState);
            if (item.selected) selected = added;
        }
        for (HTREEITEM open : toExpand) control.Expand(open);
    }
    ::SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
    if (selected) {  // once the items are laid out: only then does the control scroll right
        TreeView_SelectItem(tree, selected);
        TreeView_EnsureVisible(tree, selected);
    }
    ::InvalidateRect(tree, nullptr, TRUE);
    ::UpdateWindow(tree);
    return Seconds(start);
}

// What the user sees of an item, without the item data.
bool SameView(const ItemView& a, const ItemView& b) {
    return a.text == b.text && a.depth == b.depth && a.image == b.image && a.bold == b.bold &&
           a.selected == b.selected && a.expanded == b.expanded && a.drawnColor == b.drawnColor;
}

// The row the control shows at its top, counted over the rows it could show.
int TopRow(HWND tree) {
    const HTREEITEM top = TreeView_GetFirstVisible(tree);
    int row = 0;
    for (HTREEITEM item = TreeView_GetRoot(tree); item && item != top; item = TreeView_GetNextVisible(tree, item)) ++row;
    return row;
}

bool SameTree(HWND tree, const std::vector<ItemView>& shown, int topRow) {
    const auto items = win::test::ReadTree(tree, ::GetSysColor(COLOR_WINDOWTEXT));
    return std::equal(items.begin(), items.end(), shown.begin(), shown.end(), SameView) && TopRow(tree) == topRow;
}

struct BareTree {
    explicit BareTree(const win::test::PaneScene& scene) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BareParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BareTreeParent";
        ::RegisterClassW(&wc);  // fails harmlessly from the second scene on
        RECT paneTree{};
        ::GetWindowRect(scene.TreeWindow(), &paneTree);
        const int width = paneTree.right - paneTree.left;
        const int height = paneTree.bottom - paneTree.top;
        parent = ::CreateWindowExW(0, L"BareTreeParent", L"", WS_CHILD | WS_VISIBLE, 300, 40, width, height,
                                   scene.MainWindow(), nullptr, wc.hInstance, nullptr);
        tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"",
                                 WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                     TVS_SHOWSELALWAYS,
                                 0, 0, width, height, parent, nullptr, wc.hInstance, nullptr);
        images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
        for (int i = 0; i < 3; ++i) ImageList_AddIcon(images, ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
        TreeView_SetImageList(tree, images, TVSIL_NORMAL);
    }
    ~BareTree() {
        ::DestroyWindow(parent);
        ImageList_Destroy(images);
    }
    HWND parent = nullptr;
    HWND tree = nullptr;
    HIMAGELIST images = nullptr;
};

// One workbook of kSheets worksheets and kNames names, appended (silently).
WorkbookPtr FillWorkbook(win::test::PaneScene& scene, const std::string& name) {
    std::vector<std::string> sheets;
    for (int s = 1; s <= kSheets; ++s) sheets.push_back("Tabelle" + std::to_string(s));
    auto book = scene.excel.CreateWorkbook(name, sheets, "C:\\Daten");
    for (int n = 1; n <= kNames; ++n)
        scene.excel.AddName(book, "Name" + std::to_string(n), "=Tabelle1!$A$" + std::to_string(n));
    return book;
}

// A pane over `workbooks` such workbooks.
void Fill(win::test::PaneScene& scene, int workbooks) {
    for (int w = 1; w <= workbooks; ++w) FillWorkbook(scene, "Mappe" + std::to_string(w) + ".xlsx");
    scene.nav->CreateNavBar();
    scene.Pump();
}

double Rebuild(win::test::PaneScene& scene) {
    scene.Pump();  // what the previous round left to paint is not this round's
    const auto start = Clock::now();
    scene.nav->UpdateTree();
    ::UpdateWindow(scene.TreeWindow());
    return Seconds(start);
}

// The rounds of one contender: the best shows what it costs when nothing
// else disturbs it, the median how steady that is.
struct Samples {
    std::vector<double> seconds;
    double Best() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double Median() const {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

void Report(const std::string& label, const Samples& samples, int nodes) {
    std::printf("  %-64s %8.1f ms %6.2f us/node %8.1f ms\n", label.c_str(), samples.Best() * 1e3,
                samples.Best() * 1e6 / nodes, samples.Median() * 1e3);
}

// One size's result: whether the floor showed what the pane shows, and the
// median times of both (steadier than the best, which one lucky round sets).
struct SizeResult {
    bool same;
    int nodes;
    double rebuild;  // seconds
    double floor;
};

// The rebuilds timed beside the floor, and the most each may cost as a part
// of it at 10,000 and at 100,000 nodes (0: no target there).
enum class Case { FromEmpty, Unchanged, Activated, SheetAdded, WorkbookClosed };
constexpr Case kCases[] = {Case::FromEmpty, Case::Unchanged, Case::Activated, Case::SheetAdded, Case::WorkbookClosed};

struct CaseInfo {
    const char* what;
    double target10k;
    double target100k;
};

CaseInfo Info(Case c) {
    switch (c) {
    case Case::FromEmpty: return {"rebuild from an emptied tree (every item anew)", 0, 0};
    case Case::Unchanged: return {"rebuild after an event that changed nothing", 0.35, 0.2};
    case Case::Activated: return {"rebuild after activating another workbook's sheet", 0.5, 0.2};
    case Case::SheetAdded: return {"rebuild after adding one sheet", 0.5, 0};
    case Case::WorkbookClosed: return {"rebuild after closing one workbook", 0.5, 0};
    }
    return {"", 0, 0};
}

// Changes the host silently as the case needs, then times the rebuild.
double RebuildAfter(win::test::PaneScene& scene, Case c, int round) {
    auto& excel = scene.excel;
    const auto books = excel.App()->Workbooks();
    switch (c) {
    case Case::FromEmpty:
        scene.Pump();
        {
            const auto start = Clock::now();
            scene.nav->UpdateTree(true);
            scene.nav->UpdateTree();
            ::UpdateWindow(scene.TreeWindow());
            return Seconds(start);
        }
    case Case::Unchanged:
        break;
    case Case::Activated: {
        // Between the first two workbooks, a sheet further down each round.
        const auto book = books->Item(1 + round % 2);
        excel.ActivateSilently(book, book->Worksheets()->Item(1 + (round * 37) % kSheets));
        break;
    }
    case Case::SheetAdded:
        excel.AddWorksheet(books->Item(books->Count() / 2 + 1), "Neu" + std::to_string(round));
        break;
    case Case::WorkbookClosed: {
        // A new workbook at the end first (shown by an untimed rebuild)
        // keeps the size; then one in the middle closes, not the active one,
        // so the host raises no event.
        const auto active = excel.App()->ActiveWorkbook();
        const auto activeSheet = excel.App()->ActiveSheet();
        FillWorkbook(scene, "Wieder" + std::to_string(round) + ".xlsx");
        excel.ActivateSilently(active, activeSheet);
        Rebuild(scene);
        auto book = books->Item(books->Count() / 2 + 1);
        if (book->Name() == active->Name()) book = books->Item(1);
        book->Close(false);
        break;
    }
    }
    return Rebuild(scene);
}

SizeResult CompareAtSize(int workbooks, int rounds) {
    win::test::PaneScene scene({.dockHeight = 700, .settings = {{"MapExpand", "True"}}});
    Fill(scene, workbooks);
    const auto shown = win::test::ReadTree(scene.TreeWindow(), ::GetSysColor(COLOR_WINDOWTEXT));
    const int topRow = TopRow(scene.TreeWindow());
    const int nodes = static_cast<int>(shown.size());
    BareTree bare(scene);

    Samples rebuilds[std::size(kCases)];
    Samples floors[std::size(kFills)];
    Samples clearing;  // in the second way's rounds (the first may start empty): every way deletes the same items
    bool same = true;
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t f = 0; f < std::size(kFills); ++f) {
            scene.Pump();
            double cleared = 0;
            floors[f].seconds.push_back(BareFill(bare.tree, shown, kFills[f], cleared));
            if (f == 1) clearing.seconds.push_back(cleared);
            if (r == 0) same = SameTree(bare.tree, shown, topRow) && same;
        }
        if (r == 0) {
            rebuilds[0].seconds.push_back(RebuildAfter(scene, kCases[0], r));
            same = SameTree(scene.TreeWindow(), shown, topRow) && same;  // before the host changes
            for (std::size_t c = 1; c < std::size(kCases); ++c) {
                rebuilds[c].seconds.push_back(RebuildAfter(scene, kCases[c], r));
            }
            continue;
        }
        for (std::size_t c = 0; c < std::size(kCases); ++c) rebuilds[c].seconds.push_back(RebuildAfter(scene, kCases[c], r));
    }

    std::printf("%d workbooks x (1 + %d sheets + %d names) = %d nodes, %d rounds\n", workbooks, kSheets, kNames,
                nodes, rounds);
    std::printf("  %-64s %11s %14s %11s\n", "", "best", "best per node", "median");
    // The floor is the way that is fastest as a rule (lowest median): with
    // as many rounds as the rebuilds, its best is a fair match for theirs.
    std::size_t fastest = 0;
    for (std::size_t f = 0; f < std::size(kFills); ++f) {
        Report(std::string("bare tree view: ") + Describe(kFills[f]), floors[f], nodes);
        if (floors[f].Median() < floors[fastest].Median()) fastest = f;
    }
    const Samples& floor = floors[fastest];
    std::printf("  floor: %s\n", Describe(kFills[fastest]));
    std::printf("  %-64s %11s %14s %11s\n", "", "best", "/ floor best", "/ median");
    for (std::size_t c = 0; c < std::size(kCases); ++c) {
        const CaseInfo info = Info(kCases[c]);
        const double target = nodes >= 50'000 ? info.target100k : nodes >= 5'000 ? info.target10k : 0;
        std::printf("  %-64s %8.1f ms %14.2f %11.2f", info.what, rebuilds[c].Best() * 1e3,
                    rebuilds[c].Best() / floor.Best(), rebuilds[c].Median() / floor.Median());
        if (target > 0) std::printf("   (target: at most %.2f)", target);
        std::printf("\n");
    }
    // The floor and the rebuild from an emptied tree delete the last round's
    // items first; how that part grows is the control's own doing.
    std::printf("  of which deleting the previous items: %.1f ms best (%.2f us/node)\n", clearing.Best() * 1e3,
                clearing.Best() * 1e6 / nodes);
    if (!same) std::printf("  THE BARE TREE DOES NOT SHOW WHAT THE PANE SHOWS\n");
    return {same, nodes, rebuilds[0].Median(), floor.Median()};
}

// Both totals include painting the rows in view, the same at every size; the
// cost of each further node is the slope between two sizes.
void ReportGrowth(const std::vector<SizeResult>& results) {
    if (results.size() < 2) return;
    std::printf("growth: cost of each further node (median times)\n");
    for (std::size_t i = 1; i < results.size(); ++i) {
        const SizeResult& a = results[i - 1];
        const SizeResult& b = results[i];
        const double added = b.nodes - a.nodes;
        const double rebuild = (b.rebuild - a.rebuild) * 1e6 / added;
        const double floor = (b.floor - a.floor) * 1e6 / added;
        std::printf("  %6d to %6d nodes: rebuild %6.2f us/node, floor %6.2f us/node, the rebuild's own %5.2f us/node\n",
                    a.nodes, b.nodes, rebuild, floor, rebuild - floor);
    }
}

struct Memory {
    double workingSet;  // MiB
    double committed;  // private memory committed (PagefileUsage)
};

Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    return {counters.WorkingSetSize / 1048576.0, counters.PagefileUsage / 1048576.0};
}

void MemoryOverRebuilds(int workbooks, int rebuilds) {
    win::test::PaneScene scene({.dockHeight = 700, .settings = {{"MapExpand", "True"}}});
    Fill(scene, workbooks);
    Rebuild(scene);
    const Memory before = ProcessMemory();
    for (int r = 0; r < rebuilds; ++r) Rebuild(scene);
    const Memory after = ProcessMemory();
    std::printf("memory over %d rebuilds of %d workbooks (%d nodes):\n", rebuilds, workbooks,
                workbooks * (1 + kSheets + kNames));
    std::printf("  working set   %8.1f MiB before, %8.1f MiB after (%+.1f MiB)\n", before.workingSet, after.workingSet,
                after.workingSet - before.workingSet);
    std::printf("  committed     %8.1f MiB before, %8.1f MiB after (%+.1f MiB)\n", before.committed,
                after.committed, after.committed - before.committed);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<int> sizes;  // workbooks
    for (int a = 2; a < argc; ++a) sizes.push_back(std::max(1, std::atoi(argv[a])));
    const bool allOfIt = sizes.empty();
    if (allOfIt) sizes = {2, 20, 200};
    bool same = true;
    std::vector<SizeResult> results;
    for (int workbooks : sizes) {
        // The largest size takes seconds a round; fewer rounds find its best.
        results.push_back(CompareAtSize(workbooks, workbooks >= 100 ? std::max(1, rounds / 3) : rounds));
        same = results.back().same && same;
    }
    ReportGrowth(results);
    if (allOfIt) MemoryOverRebuilds(20, 100);
    for (int workbooks : sizes) {
        if (workbooks < 100) same = bench::ReportPressToSettled(workbooks, kSheets, kNames, rounds) && same;
    }
    return same ? 0 : 1;
}

// How long the pane's tree takes to fill: 20 workbooks, each with 250
// worksheets and 250 defined names, inserted into a visible tree view the
// fastest way (painting frozen, a workbook expanded once it has children).
// Prints the figures; a plain program, not a test.
//   tree_insert_bench [rounds]

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "adapters/windows/controls/tree_view.h"
#include "tests/windows_ui/ui_test_support.h"

namespace {

using namespace brackwell;
using Clock = std::chrono::steady_clock;

constexpr int kWorkbooks = 20;
constexpr int kSheets = 250;
constexpr int kNames = 250;
constexpr int kNodes = kWorkbooks * (1 + kSheets + kNames);

enum class Expand { BeforeChildren, AfterChildren };

double FillOnce(win::WinTreeView& tree, Expand expand) {
    const auto start = Clock::now();
    tree.BeginUpdate();
    TreeNodes& nodes = tree.Nodes();
    nodes.Clear();
    for (int i = 1; i <= kWorkbooks; ++i) {
        const std::string book = "wb" + std::to_string(i);
        const TreeNodePtr node = nodes.Add("", TreeRelationship::Last, book, "Mappe" + std::to_string(i) + ".xls", 1);
        if (expand == Expand::BeforeChildren) node->SetExpanded(true);  // opens with the first child
        for (int j = 1; j <= kSheets; ++j) {
            nodes.Add(book, TreeRelationship::Child, book + "|" + std::to_string(j), "Tabelle" + std::to_string(j), 2);
        }
        for (int k = 1; k <= kNames; ++k) {
            nodes.Add(book, TreeRelationship::Child, book + "#" + std::to_string(k),
                      "Name" + std::to_string(k) + " (Tabelle1!$A$" + std::to_string(k) + ")", 3);
        }
        if (expand == Expand::AfterChildren) node->SetExpanded(true);
    }
    tree.EndUpdate();
    ::UpdateWindow(tree.Handle());  // the one paint at the end belongs to the rebuild
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(const char* label, double seconds) {
    std::printf("%-44s %8.1f ms  %6.2f us/node\n", label, seconds * 1e3, seconds * 1e6 / kNodes);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const HWND host = win::test::SharedHostWindow();
    win::WinTreeView tree(win::test::Instance(), host);
    tree.Move(0, 0, 400 * 15, 300 * 15);

    std::printf("%d workbooks x (1 + %d sheets + %d names) = %d nodes, best of %d\n", kWorkbooks, kSheets, kNames,
                kNodes, rounds);
    double before = 1e9, after = 1e9;
    for (int r = 0; r < rounds; ++r) {
        before = std::min(before, FillOnce(tree, Expand::BeforeChildren));
        after = std::min(after, FillOnce(tree, Expand::AfterChildren));
    }
    Report("frozen, expanded with the first child", before);
    Report("frozen, expanded after the last child", after);
    return 0;
}

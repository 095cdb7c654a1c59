#include "adapters/windows/forms/dialog_keys.h"

#include <climits>
#include <cstdlib>
#include <vector>

#include "adapters/windows/controls/toolbar.h"

namespace brackwell::win {
namespace {

constexpr char kOkKey[] = "mnuOk";

// The boxes of `box`'s kind beside it that the keyboard can reach, in tab order.
std::vector<HWND> SiblingBoxes(HWND box) {
    std::vector<HWND> boxes;
    const ULONG_PTR kind = ::GetClassLongPtrW(box, GCW_ATOM);
    for (HWND w = ::GetWindow(::GetParent(box), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::GetClassLongPtrW(w, GCW_ATOM) == kind && (::GetWindowLongPtrW(w, GWL_STYLE) & WS_TABSTOP) &&
            ::IsWindowVisible(w) && ::IsWindowEnabled(w))
            boxes.push_back(w);
    }
    return boxes;
}

POINT CentreOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

HWND NeighbourBox(HWND box, UINT arrowKey) {
    const std::vector<HWND> boxes = SiblingBoxes(box);
    size_t at = 0;
    while (at < boxes.size() && boxes[at] != box) ++at;
    if (at == boxes.size()) return box;
    if (arrowKey == VK_LEFT) return at > 0 ? boxes[at - 1] : box;
    if (arrowKey == VK_RIGHT) return at + 1 < boxes.size() ? boxes[at + 1] : box;
    if (arrowKey != VK_UP && arrowKey != VK_DOWN) return box;
    // Up and Down: the nearest row that way, and in it the nearest column.
    const POINT from = CentreOf(box);
    const int sign = arrowKey == VK_DOWN ? 1 : -1;
    HWND best = box;
    long bestRow = LONG_MAX, bestColumn = LONG_MAX;
    for (HWND other : boxes) {
        const POINT p = CentreOf(other);
        const long row = (p.y - from.y) * sign;
        const long column = std::labs(p.x - from.x);
        if (row <= 0 || row > bestRow || (row == bestRow && column >= bestColumn)) continue;
        best = other;
        bestRow = row;
        bestColumn = column;
    }
    return best;
}

bool ConfirmThroughBar(WinToolbar& bar) {
    for (int i = 0; i < bar.ButtonCount(); ++i) {
        if (bar.ButtonDesign(i).key != kOkKey) continue;
        bar.PostClick(i);
        return true;
    }
    return false;
}

}  // namespace brackwell::win

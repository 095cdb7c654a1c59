#pragma once
// The buttons the command-bar area shows: every button of every live custom
// command bar of the host, in the order the bars were added.

#include <string>
#include <vector>

#include "adapters/embedded/command_bars.h"

namespace brackwell::demo {

struct BarButton {
    std::string bar;      // the command bar's name
    int index = 0;        // 1-based place in the bar, what PressCommandBarButton takes
    std::wstring label;   // the caption; a button without one shows its tooltip
    std::wstring tooltip;
    bool enabled = true;

    friend bool operator==(const BarButton&, const BarButton&) = default;
};

// Deleted bars have gone from the host's screen, so they are left out.
std::vector<BarButton> BarButtonsOf(const std::vector<embedded::CommandBarView>& bars);

}  // namespace brackwell::demo

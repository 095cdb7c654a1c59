#pragma once
// The sheet tabs at the bottom of the workbook area: which tabs a user sees
// (the visible sheets in tab order, chart sheets too), how each looks, and
// where each lies on the strip, so a click finds its sheet.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "excel_standin/embedded/workbook_content.h"
#include "host/color.h"

namespace brackwell::demo {

struct SheetTab {
    std::string name;
    bool chart = false;
    bool isProtected = false;
    std::optional<Color> color;  // the tab colour, none when the sheet has none
    bool active = false;

    friend bool operator==(const SheetTab&, const SheetTab&) = default;
};

// The tabs of a workbook as saved or open, `activeSheet` marked active.
std::vector<SheetTab> SheetTabsOf(const embedded::WorkbookContent& content, const std::string& activeSheet);

struct TabSpan {
    int left = 0;
    int right = 0;  // exclusive
};

inline constexpr int kTabPadding = 10;   // on both sides of the name
inline constexpr int kLockMarkWidth = 20;  // the lock picture of a protected sheet, with its gap

// Tabs side by side from `left`, each as wide as its name (`textWidth`
// measures one in pixels) with padding, and the lock mark when protected.
std::vector<TabSpan> LayoutTabs(const std::vector<SheetTab>& tabs, int left,
                                const std::function<int(const std::string&)>& textWidth);

// The index of the tab under x, or nothing between and after the tabs.
std::optional<std::size_t> TabAt(const std::vector<TabSpan>& spans, int x);

}  // namespace brackwell::demo

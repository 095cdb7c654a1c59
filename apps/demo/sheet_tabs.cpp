#include "apps/demo/sheet_tabs.h"

#include "host/excel.h"
#include "tree/palette.h"

namespace brackwell::demo {

std::vector<SheetTab> SheetTabsOf(const embedded::WorkbookContent& content, const std::string& activeSheet) {
    std::vector<SheetTab> tabs;
    for (const embedded::SheetContent& sheet : content.sheets) {
        if (!sheet.visible) continue;  // a hidden sheet has no tab
        SheetTab tab;
        tab.name = sheet.name;
        tab.chart = sheet.kind == embedded::SheetKind::Chart;
        tab.isProtected = sheet.protectedContents;
        if (sheet.tabColorIndex != xl::kColorIndexNone) tab.color = ColorIndexToRgb(sheet.tabColorIndex);
        tab.active = sheet.name == activeSheet;
        tabs.push_back(std::move(tab));
    }
    return tabs;
}

std::vector<TabSpan> LayoutTabs(const std::vector<SheetTab>& tabs, int left,
                                const std::function<int(const std::string&)>& textWidth) {
    std::vector<TabSpan> spans;
    spans.reserve(tabs.size());
    int x = left;
    for (const SheetTab& tab : tabs) {
        const int width = textWidth(tab.name) + 2 * kTabPadding + (tab.isProtected ? kLockMarkWidth : 0);
        spans.push_back({x, x + width});
        x += width;
    }
    return spans;
}

std::optional<std::size_t> TabAt(const std::vector<TabSpan>& spans, int x) {
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (x >= spans[i].left && x < spans[i].right) return i;
    }
    return std::nullopt;
}

}  // namespace brackwell::demo

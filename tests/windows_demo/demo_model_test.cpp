// What the demo shows, worked out from the host's state: the sheet tabs, the
// command bars and their buttons, the selection; and the open dialog's answer.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

#include "apps/demo/cell_blocks.h"
#include "apps/demo/command_bar_buttons.h"
#include "apps/demo/command_bar_dock.h"
#include "apps/demo/open_file_names.h"
#include "apps/demo/sheet_tabs.h"
#include "tree/palette.h"

namespace brackwell::demo {
namespace {

using embedded::SheetKind;

TEST(SheetTabs, ShowTheVisibleSheetsInTabOrderWithColourProtectionAndTheActiveOne) {
    embedded::WorkbookContent content;
    content.sheets = {{"Übersicht", SheetKind::Worksheet, true, 10, false, ""},
                      {"Diagramm1", SheetKind::Chart, true, -4142, false, ""},
                      {"Versteckt", SheetKind::Worksheet, false, -4142, false, ""},
                      {"売上", SheetKind::Worksheet, true, -4142, true, ""}};
    // name, chart, protected, colour, active; the hidden sheet has no tab
    using Facts = std::tuple<std::string, bool, bool, std::optional<Color>, bool>;
    std::vector<Facts> facts;
    for (const SheetTab& t : SheetTabsOf(content, "売上"))
        facts.emplace_back(t.name, t.chart, t.isProtected, t.color, t.active);
    EXPECT_EQ(facts, (std::vector<Facts>{{"Übersicht", false, false, ColorIndexToRgb(10), false},
                                         {"Diagramm1", true, false, std::nullopt, false},
                                         {"売上", false, true, std::nullopt, true}}));
}

TEST(CommandBarButtons, ShowTheVisibleBarsInTheirDockWithTheLookTheAddInGaveTheirButtons) {
    embedded::CommandBarView gone, hidden, popup, left, top;
    gone.name = "Alt";
    gone.deleted = gone.visible = true;
    gone.buttons.resize(1);
    hidden.name = "Versteckt";  // a new bar is hidden until made visible
    popup.name = "Kontext";
    popup.position = 5;
    popup.visible = true;
    left.name = "BrackwellBar";
    left.position = 0;
    left.visible = true;
    left.buttons.resize(1);
    left.buttons[0] = {"", 7, "...Aktualisieren", 5, true, 215, 20, "UpdateNav"};
    top.name = "Drucken";
    top.position = 1;
    top.visible = true;
    top.buttons.resize(2);
    top.buttons[0] = {"Drucken", 2, "Druckt", 4, false, 22, 60, ""};
    top.buttons[1] = {"Vorschau", 0, "", 0, true, 22, 23, ""};

    const std::vector<ShownBar> shown = ShownBarsOf({gone, hidden, popup, left, top});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (ShownBar{"BrackwellBar", DockSide::Left,
                                  {{"BrackwellBar", 1, L"", L"...Aktualisieren", 5, 7, 20, 215, true}}}));
    EXPECT_EQ(shown[1].side, DockSide::Top);
    EXPECT_EQ(shown[1].buttons[0], (BarButton{"Drucken", 1, L"Drucken", L"Druckt", 4, 2, 60, 22, false}));

    // Upright bars are as wide as their widest button, lying ones as tall.
    EXPECT_EQ(BarSize(shown[0], DockSide::Left).cx, 20);
    EXPECT_EQ(BarSize(shown[0], DockSide::Left).cy, 215);
    EXPECT_EQ(BarSize(shown[1], DockSide::Top).cx, 83);
    EXPECT_EQ(BarSize(shown[1], DockSide::Top).cy, 22);

    // Face and caption by style: picture and wrapped caption with an empty caption is a picture alone;
    // caption only; automatic, the caption without a face and the picture alone with one.
    const auto look = [](const BarButton& b) { return std::pair(DrawsFace(b), DrawsCaption(b)); };
    EXPECT_EQ(look(shown[0].buttons[0]), std::pair(true, false));
    EXPECT_EQ(look(shown[1].buttons[0]), std::pair(false, true));
    BarButton automatic = shown[1].buttons[1];
    EXPECT_EQ(look(automatic), std::pair(false, true));
    automatic.faceId = 5;
    EXPECT_EQ(look(automatic), std::pair(true, false));
}

TEST(CellBlocks, ReadTheHostsAddressesShowThemInTheNameBoxAndScrollTheFirstIntoView) {
    const embedded::GridLimits grid{1048576, 16384};
    EXPECT_EQ(CellBlocksOf("$A$1", grid), (std::vector<CellBlock>{{1, 1, 1, 1}}));
    EXPECT_EQ(CellBlocksOf("$B$3:$D$8,$F$40", grid), (std::vector<CellBlock>{{3, 2, 8, 4}, {40, 6, 40, 6}}));
    EXPECT_EQ(CellBlocksOf("$C:$A", grid), (std::vector<CellBlock>{{1, 1, 1048576, 3}}));
    EXPECT_EQ(CellBlocksOf("$3:$5", grid), (std::vector<CellBlock>{{3, 1, 5, 16384}}));
    EXPECT_EQ(CellBlocksOf("$XFD$1048576", grid), (std::vector<CellBlock>{{1048576, 16384, 1048576, 16384}}));
    for (const char* wrong : {"", "$A$1:", "A1:B", "$XFE$1", "$A$0", "Daten", "$A$1,,$B$2"})
        EXPECT_TRUE(CellBlocksOf(wrong, grid).empty()) << wrong;

    EXPECT_EQ(NameBoxText("$B$3:$D$8"), "B3:D8");

    const auto origin = [](const std::vector<CellBlock>& blocks) {
        const CellOrigin o = ScrollOriginFor(blocks, 30, 10);
        return std::pair(o.row, o.column);
    };
    EXPECT_EQ(origin(CellBlocksOf("$B$3:$D$8", grid)), std::pair(1, 1));
    EXPECT_EQ(origin(CellBlocksOf("$B$40", grid)), std::pair(40, 1));    // Goto to "Summe" scrolls down
    EXPECT_EQ(origin(CellBlocksOf("$J$30:$M$90", grid)), std::pair(1, 1));  // its corner is in view
    EXPECT_EQ(origin(CellBlocksOf("$L$2", grid)), std::pair(1, 12));
    EXPECT_EQ(origin({}), std::pair(1, 1));
}

TEST(OpenFileNames, GiveFullPathsForOneOrManyFiles) {
    using namespace std::string_literals;
    EXPECT_EQ(SplitOpenFileNames(L"C:\\Daten\\Umsatz.xlsx\0\0"s), (std::vector<std::wstring>{L"C:\\Daten\\Umsatz.xlsx"}));
    EXPECT_EQ(SplitOpenFileNames(L"C:\\Daten\0a.xlsx\0Übersicht.xlsm\0\0"s),
              (std::vector<std::wstring>{L"C:\\Daten\\a.xlsx", L"C:\\Daten\\Übersicht.xlsm"}));
    EXPECT_EQ(SplitOpenFileNames(L"D:\\\0a.xlsx\0b.xlsx\0\0"s),  // a drive root ends with its separator
              (std::vector<std::wstring>{L"D:\\a.xlsx", L"D:\\b.xlsx"}));
    EXPECT_TRUE(SplitOpenFileNames(L"\0\0"s).empty());
}

}  // namespace
}  // namespace brackwell::demo

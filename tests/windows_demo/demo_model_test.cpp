// What the demo shows, worked out from the host's state: the sheet tabs and
// where each lies, the command-bar buttons; and the command line and the
// open dialog's answer.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

#include "apps/demo/command_bar_buttons.h"
#include "apps/demo/demo_options.h"
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

TEST(SheetTabs, LieSideBySideAndAClickFindsItsTab) {
    std::vector<SheetTab> tabs(3);
    tabs[0].name = "Januar";
    tabs[1].name = "Kalkulation";
    tabs[1].isProtected = true;  // room for the lock
    tabs[2].name = "Februar";
    // Ten pixels a character, so the widths are easy to follow.
    const auto spans = LayoutTabs(tabs, 8, [](const std::string& name) { return static_cast<int>(name.size()) * 10; });
    std::vector<std::pair<int, int>> edges;
    for (const TabSpan& span : spans) edges.emplace_back(span.left, span.right);
    const int a = 8 + 60 + 2 * kTabPadding;
    const int b = a + 110 + 2 * kTabPadding + kLockMarkWidth;
    const int c = b + 70 + 2 * kTabPadding;
    EXPECT_EQ(edges, (std::vector<std::pair<int, int>>{{8, a}, {a, b}, {b, c}}));
    // Left of the first tab and behind the last there is none.
    for (const auto& [x, tab] : std::vector<std::pair<int, std::optional<std::size_t>>>{
             {a - 1, 0}, {a, 1}, {7, std::nullopt}, {c, std::nullopt}})
        EXPECT_EQ(TabAt(spans, x), tab) << x;
}

TEST(CommandBarButtons, ShowEveryButtonOfTheLiveBarsNamedByCaptionOrTooltip) {
    embedded::CommandBarView gone;
    gone.name = "Alt";
    gone.deleted = true;
    gone.buttons.resize(1);
    embedded::CommandBarView bar;
    bar.name = "BrackwellBar";
    bar.buttons.resize(2);
    bar.buttons[0].tooltip = "...Aktualisieren";
    bar.buttons[1].caption = "Drucken";
    bar.buttons[1].tooltip = "Druckt";
    bar.buttons[1].enabled = false;

    EXPECT_EQ(BarButtonsOf({gone, bar}),
              (std::vector<BarButton>{{"BrackwellBar", 1, L"Aktualisieren", L"...Aktualisieren", true},
                                      {"BrackwellBar", 2, L"Drucken", L"Druckt", false}}));
}

TEST(DemoOptions, ReadTheThreeModesAndRefuseAnythingElse) {
    EXPECT_EQ(ParseDemoOptions({}).options->mode, DemoMode::Interactive);
    EXPECT_EQ(ParseDemoOptions({L"--smoke"}).options->mode, DemoMode::Smoke);
    const auto shot = ParseDemoOptions({L"--screenshot", L"C:\\Bilder\\demo.bmp"});
    ASSERT_TRUE(shot.options);
    EXPECT_EQ(shot.options->mode, DemoMode::Screenshot);
    EXPECT_EQ(shot.options->screenshotPath, L"C:\\Bilder\\demo.bmp");

    for (const auto& wrong : std::vector<std::vector<std::wstring>>{
             {L"--screenshot"}, {L"--screenshot", L""}, {L"--smoke", L"x"}, {L"--hilfe"}}) {
        const ParsedOptions parsed = ParseDemoOptions(wrong);
        EXPECT_FALSE(parsed.options);
        EXPECT_NE(parsed.error.find(L"Aufruf: brackwell_demo"), std::wstring::npos);
    }
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

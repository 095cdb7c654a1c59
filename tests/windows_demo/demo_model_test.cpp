// What the demo shows, worked out from the host's state: the sheet tabs and
// where each lies, the command-bar buttons; and the command line and the
// open dialog's answer.

#include <gtest/gtest.h>

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

    const std::vector<SheetTab> tabs = SheetTabsOf(content, "売上");

    ASSERT_EQ(tabs.size(), 3u);  // the hidden sheet has no tab
    EXPECT_EQ(tabs[0].name, "Übersicht");
    EXPECT_EQ(tabs[0].color, ColorIndexToRgb(10));
    EXPECT_FALSE(tabs[0].chart || tabs[0].active || tabs[0].isProtected);
    EXPECT_EQ(tabs[1].name, "Diagramm1");
    EXPECT_TRUE(tabs[1].chart);
    EXPECT_FALSE(tabs[1].color.has_value());
    EXPECT_EQ(tabs[2].name, "売上");
    EXPECT_TRUE(tabs[2].isProtected && tabs[2].active);
}

TEST(SheetTabs, LieSideBySideAndAClickFindsItsTab) {
    std::vector<SheetTab> tabs(3);
    tabs[0].name = "Januar";
    tabs[1].name = "Kalkulation";
    tabs[1].isProtected = true;
    tabs[2].name = "Februar";
    // Ten pixels a character, so the widths are easy to follow.
    const auto spans = LayoutTabs(tabs, 8, [](const std::string& name) { return static_cast<int>(name.size()) * 10; });

    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].left, 8);
    EXPECT_EQ(spans[0].right, 8 + 60 + 2 * kTabPadding);
    EXPECT_EQ(spans[1].left, spans[0].right);
    EXPECT_EQ(spans[1].right - spans[1].left, 110 + 2 * kTabPadding + kLockMarkWidth);  // room for the lock
    EXPECT_EQ(spans[2].left, spans[1].right);

    EXPECT_EQ(TabAt(spans, spans[0].right - 1), 0u);
    EXPECT_EQ(TabAt(spans, spans[0].right), 1u);
    EXPECT_FALSE(TabAt(spans, 7).has_value());               // left of the first tab
    EXPECT_FALSE(TabAt(spans, spans[2].right).has_value());  // behind the last
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

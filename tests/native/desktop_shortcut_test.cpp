// CreateLink: a shortcut on the desktop to a saved workbook, and the one
// message that says how it went.

#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

class DesktopShortcutTest : public NavigatorTest {
protected:
    void SetUp() override { Attach(); }

    // Each message as "title (style): prompt".
    std::vector<std::string> Said() {
        std::vector<std::string> said;
        for (const auto& m : Messages()) said.push_back(m.title + " (" + std::to_string(m.style) + "): " + m.prompt);
        return said;
    }
};

TEST_F(DesktopShortcutTest, PutsAShortcutToTheSavedWorkbookOnTheDesktop) {
    auto wb = excel.CreateWorkbook("Bericht.xls", {"Tabelle1"}, "D:\\Berichte\\2026");
    nav->CreateLink(wb);
    nav->CreateLink(wb);

    const auto& saved = platform.Shell().SavedShortcuts();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved.begin()->first, "C:\\Users\\Benutzer\\Desktop\\Bericht.xls.lnk");
    EXPECT_EQ(saved.begin()->second, "D:\\Berichte\\2026\\Bericht.xls");
    EXPECT_EQ(platform.Shell().SaveCount(), 2);
    const std::string done = "Fertig (64): Desktopverknüpfung wurde erstellt!";
    EXPECT_EQ(Said(), (std::vector<std::string>{done, done}));
}

TEST_F(DesktopShortcutTest, RefusesANeverSavedWorkbookAndSaysSoWhenNoShortcutCanBeMade) {
    nav->CreateLink(excel.CreateWorkbook("Mappe1", {"Tabelle1"}));  // never saved
    auto wb = excel.CreateWorkbook("Bericht.xls", {"Tabelle1"}, "D:\\Berichte");
    platform.SetShellAvailable(false);
    nav->CreateLink(wb);
    platform.SetShellAvailable(true);
    platform.Shell().SetWritable(false);
    nav->CreateLink(wb);
    nav->CreateLink(nullptr);

    const std::string failed = "Fertig (48): Desktopverknüpfung konnte nicht erstellt werden!";
    EXPECT_EQ(Said(), (std::vector<std::string>{"Abbruch (64): Diese Arbeitsmappe ist noch nicht gespeichert!\r\n"
                                                "Speichern sie diese Arbeitsmappe und wiederholen sie den Vorgang.",
                                                failed, failed, failed}));
    EXPECT_TRUE(platform.Shell().SavedShortcuts().empty());
}

}  // namespace
}  // namespace brackwell::testing

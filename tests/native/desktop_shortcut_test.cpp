#include <gtest/gtest.h>

#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

class DesktopShortcutTest : public NavigatorTest {
protected:
    void SetUp() override { Attach(); }
};

TEST_F(DesktopShortcutTest, RefusesANeverSavedWorkbook) {
    auto wb = excel.CreateWorkbook("Mappe1", {"Tabelle1"});  // never saved
    nav->CreateLink(wb);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt,
              "Diese Arbeitsmappe ist noch nicht gespeichert!\r\n"
              "Speichern sie diese Arbeitsmappe und wiederholen sie den Vorgang.");
    EXPECT_EQ(Messages()[0].style, 64);
    EXPECT_EQ(Messages()[0].title, "Abbruch");
    EXPECT_TRUE(platform.Shell().SavedShortcuts().empty());
}

TEST_F(DesktopShortcutTest, PutsAShortcutToTheSavedWorkbookOnTheDesktop) {
    auto wb = excel.CreateWorkbook("Bericht.xls", {"Tabelle1"}, "D:\\Berichte\\2026");
    nav->CreateLink(wb);
    nav->CreateLink(wb);

    const auto& saved = platform.Shell().SavedShortcuts();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved.begin()->first, "C:\\Users\\Benutzer\\Desktop\\Bericht.xls.lnk");
    EXPECT_EQ(saved.begin()->second, "D:\\Berichte\\2026\\Bericht.xls");
    EXPECT_EQ(platform.Shell().SaveCount(), 2);
    ASSERT_EQ(Messages().size(), 2u);
    for (const auto& m : Messages()) {
        EXPECT_EQ(m.prompt, "Desktopverknüpfung wurde erstellt!");
        EXPECT_EQ(m.style, 64);
        EXPECT_EQ(m.title, "Fertig");
    }
}

TEST_F(DesktopShortcutTest, SaysSoWhenNoShortcutCanBeMade) {
    auto wb = excel.CreateWorkbook("Bericht.xls", {"Tabelle1"}, "D:\\Berichte");
    platform.SetShellAvailable(false);
    nav->CreateLink(wb);
    platform.SetShellAvailable(true);
    platform.Shell().SetWritable(false);
    nav->CreateLink(wb);
    nav->CreateLink(nullptr);

    ASSERT_EQ(Messages().size(), 3u);
    for (const auto& m : Messages()) {
        EXPECT_EQ(m.prompt, "Desktopverknüpfung konnte nicht erstellt werden!");
        EXPECT_EQ(m.style, 48);
        EXPECT_EQ(m.title, "Fertig");
    }
    EXPECT_TRUE(platform.Shell().SavedShortcuts().empty());
}

}  // namespace
}  // namespace brackwell::testing

// The seven settings: defaults, conversions of stored texts, the write order,
// and a creation that fails on a setting it cannot read.

#include <gtest/gtest.h>

#include <limits>

#include "adapters/headless/memory_settings_store.h"
#include "core/settings.h"
#include "core/vb_conversions.h"
#include "host/automation_error.h"
#include "tests/native/navigator_fixture.h"

namespace brackwell {
namespace {

using headless::MemorySettingsStore;

void Put(MemorySettingsStore& store, const std::string& key, const std::string& value) {
    store.SaveSetting("Brackwell", "Settings", key, value);
}

TEST(LoadSettings, AnEmptyStoreGivesTheDefaults) {
    MemorySettingsStore store;
    const Settings s = LoadSettings(store);
    EXPECT_TRUE(s.Theme);
    EXPECT_FALSE(s.MapExpand);
    EXPECT_EQ(s.Drag, 1);
    EXPECT_EQ(s.WBFore, 0u);
    EXPECT_EQ(s.SHFore, 0u);
    EXPECT_EQ(s.NameFore, 0u);
    EXPECT_FALSE(s.SetForeReg);
}

TEST(LoadSettings, ReadsStoredTextsBooleanWordsAndNumbers) {
    MemorySettingsStore store;
    Put(store, "Theme", "false");
    Put(store, "MapExpand", "-1");  // a number: anything but 0 is True
    Put(store, "Drag", "3");
    Put(store, "WBFore", "255");
    Put(store, "SHFore", "16711680");
    Put(store, "NameFore", "2.5");  // CLng rounds halves to even
    Put(store, "SetForeReg", "TRUE");
    const Settings s = LoadSettings(store);
    EXPECT_FALSE(s.Theme);
    EXPECT_TRUE(s.MapExpand);
    EXPECT_EQ(s.Drag, 3);
    EXPECT_EQ(s.WBFore, 255u);
    EXPECT_EQ(s.SHFore, 16711680u);
    EXPECT_EQ(s.NameFore, 2u);
    EXPECT_TRUE(s.SetForeReg);
}

TEST(LoadSettings, ReadsTheKeysInTheirOrder) {
    MemorySettingsStore store;
    LoadSettings(store);
    std::vector<std::string> keys;
    for (const auto& read : store.Reads()) keys.push_back(read.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"Theme", "MapExpand", "Drag", "WBFore", "SHFore", "NameFore",
                                              "SetForeReg"}));
}

TEST(LoadSettings, AnUnreadableTextFailsNamingTheKey) {
    for (const auto& [key, text] : std::vector<std::pair<std::string, std::string>>{
             {"WBFore", "rot"}, {"Theme", "ja"}, {"Drag", "99999999999"}, {"SetForeReg", ""}}) {
        MemorySettingsStore store;
        Put(store, key, text);
        try {
            LoadSettings(store);
            ADD_FAILURE() << key << "=" << text << " was accepted";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), 13);
            EXPECT_NE(e.Description().find("\"" + key + "\""), std::string::npos) << e.Description();
        }
    }
}

TEST(SaveSettings, WritesAllSevenKeysInTheDialogsOrder) {
    MemorySettingsStore store;
    Settings s;
    s.Theme = false;
    s.Drag = 2;
    s.WBFore = 255;
    s.SetForeReg = true;
    SaveSettings(store, s);

    std::vector<std::pair<std::string, std::string>> writes;
    for (const auto& w : store.Writes()) writes.emplace_back(w.key, w.value);
    EXPECT_EQ(writes, (std::vector<std::pair<std::string, std::string>>{{"Theme", "False"},
                                                                          {"Drag", "2"},
                                                                          {"MapExpand", "False"},
                                                                          {"WBFore", "255"},
                                                                          {"SHFore", "0"},
                                                                          {"NameFore", "0"},
                                                                          {"SetForeReg", "True"}}));
    const Settings back = LoadSettings(store);
    EXPECT_FALSE(back.Theme);
    EXPECT_EQ(back.Drag, 2);
    EXPECT_EQ(back.WBFore, 255u);
    EXPECT_TRUE(back.SetForeReg);
}

TEST(VbConversions, LeadingNumbersAndRounding) {
    EXPECT_EQ(LeadingNumber("11.0"), 11.0);
    EXPECT_EQ(LeadingNumber("  9.0 (SR-1)"), 9.0);
    EXPECT_EQ(LeadingNumber("16.0.1234"), 16.0);
    EXPECT_EQ(LeadingNumber("Version 12"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(11.6), 12);
    EXPECT_EQ(RoundHalfEven(7.7e26), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundHalfEven(-7.7e26), std::numeric_limits<std::int64_t>::min());
}

TEST(VbConversions, CapitalsForMessages) {
    EXPECT_EQ(ToUpperText("Umsatz"), "UMSATZ");
    EXPECT_EQ(ToUpperText("übersicht straße"), "ÜBERSICHT STRAßE");
    EXPECT_EQ(ToUpperText("売上 q"), "売上 Q");
}

class NavigatorCreationTest : public testing::NavigatorTest {};

TEST_F(NavigatorCreationTest, AStoredColourInLettersMakesTheCreationFail) {
    StoreSetting("WBFore", "rot");
    try {
        Wayfinder navigator(component);
        ADD_FAILURE() << "created";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), 13);
        EXPECT_NE(e.Description().find("WBFore"), std::string::npos);
    }
}

TEST_F(NavigatorCreationTest, CreatesTheSharedPopupMenuInVerdana9) {
    Wayfinder navigator(component);
    ASSERT_NE(platform.LastPopupMenu(), nullptr);
    EXPECT_EQ(component.PopupMenu, platform.LastPopupMenu());
    EXPECT_EQ(platform.LastPopupMenu()->FontFace(), "Verdana");
    EXPECT_EQ(platform.LastPopupMenu()->FontSize(), 9);
}

}  // namespace
}  // namespace brackwell

// The seven settings: defaults, conversions of stored texts, the order of
// reads and writes, a text that cannot be read; the shared popup menu the
// navigator makes with them.

#include <gtest/gtest.h>

#include "adapters/headless/memory_settings_store.h"
#include "core/settings.h"
#include "host/automation_error.h"
#include "tests/native/navigator_fixture.h"

namespace brackwell {
namespace {

using headless::MemorySettingsStore;

void Put(MemorySettingsStore& store, const std::string& key, const std::string& value) {
    store.SaveSetting("Brackwell", "Settings", key, value);
}

// The settings as SaveSettings writes them, in the order it writes them.
std::string Written(const Settings& s) {
    MemorySettingsStore store;
    SaveSettings(store, s);
    std::string text;
    for (const auto& w : store.Writes()) text += w.key + "=" + w.value + " ";
    return text;
}

TEST(Settings, DefaultsStoredTextsAndTheOrderOfReadsAndWrites) {
    MemorySettingsStore store;
    EXPECT_EQ(Written(LoadSettings(store)),
              "Theme=True Drag=1 MapExpand=False WBFore=0 SHFore=0 NameFore=0 SetForeReg=False ");
    std::string reads;
    for (const auto& read : store.Reads()) reads += read.key + " ";
    EXPECT_EQ(reads, "Theme MapExpand Drag WBFore SHFore NameFore SetForeReg ");

    Put(store, "Theme", "false");
    Put(store, "MapExpand", "-1");  // a number: anything but 0 is True
    Put(store, "Drag", "3");
    Put(store, "WBFore", "255");
    Put(store, "SHFore", "16711680");
    Put(store, "NameFore", "2.5");  // CLng rounds halves to even
    Put(store, "SetForeReg", "TRUE");
    EXPECT_EQ(Written(LoadSettings(store)),
              "Theme=False Drag=3 MapExpand=True WBFore=255 SHFore=16711680 NameFore=2 SetForeReg=True ");
}

TEST(Settings, AnUnreadableTextFailsNamingTheKey) {
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

class NavigatorCreationTest : public testing::NavigatorTest {};

TEST_F(NavigatorCreationTest, CreatesTheSharedPopupMenuInVerdana9) {
    Wayfinder navigator(component);
    ASSERT_NE(platform.LastPopupMenu(), nullptr);
    EXPECT_EQ(component.PopupMenu, platform.LastPopupMenu());
    EXPECT_EQ(platform.LastPopupMenu()->FontFace(), "Verdana");
    EXPECT_EQ(platform.LastPopupMenu()->FontSize(), 9);
}

}  // namespace
}  // namespace brackwell

// The settings stores: the text form of the settings file, the memory store
// for tests and the per-user file store.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "adapters/headless/atomic_file.h"
#include "adapters/headless/file_settings_store.h"
#include "adapters/headless/memory_settings_store.h"
#include "adapters/headless/settings_document.h"
#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

namespace fs = std::filesystem;

// Texts that a naive "key=value" file would mangle.
const std::vector<std::string> kAwkwardTexts = {
    "a=b=c",
    "first line\nsecond line\r\nthird",
    "C:\\Users\\jörg\\Mappe1.xls",
    "  blanks around  ",
    "\ttab at the start",
    "100% sicher, %41 bleibt",
    "[not a section]",
    "; not a comment",
    "Übersicht 売上 ✓",
    "",
};

TEST(SettingsDocument, AnyTextRoundTripsAsValueAndAsKey) {
    SettingsDocument document;
    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i) {
        document.Set("Brackwell\\Settings", "value" + std::to_string(i), kAwkwardTexts[i]);
        if (!kAwkwardTexts[i].empty()) document.Set("Brackwell\\Keys", kAwkwardTexts[i], std::to_string(i));
    }

    const SettingsDocument read = SettingsDocument::FromText(document.ToText());

    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i) {
        EXPECT_EQ(read.Get("Brackwell\\Settings", "value" + std::to_string(i)), kAwkwardTexts[i]);
        if (!kAwkwardTexts[i].empty()) {
            EXPECT_EQ(read.Get("Brackwell\\Keys", kAwkwardTexts[i]), std::to_string(i)) << kAwkwardTexts[i];
        }
    }
}

TEST(SettingsDocument, TheFileReadsAsGroupsOfKeyValueLines) {
    SettingsDocument document;
    document.Set("Brackwell\\Settings", "Theme", "True");
    document.Set("Brackwell\\Settings", "Drag", "2");
    document.Set("Brackwell\\Settings", "Pfad", "C:\\Daten");
    EXPECT_EQ(document.ToText(), "[Brackwell\\Settings]\nTheme=True\nDrag=2\nPfad=C:\\Daten\n");
}

TEST(SettingsDocument, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    SettingsDocument document;
    document.Set("Brackwell\\Settings", "WBFore", "0");
    document.Set("BRACKWELL\\settings", "wbfore", "255");

    EXPECT_EQ(document.Get("brackwell\\SETTINGS", "WBFORE"), "255");
    ASSERT_EQ(document.Groups().size(), 1u);
    EXPECT_EQ(document.Groups()[0].name, "Brackwell\\Settings");
    EXPECT_EQ(document.Groups()[0].entries[0].first, "WBFore");
    EXPECT_FALSE(document.Get("Brackwell\\Settings", "Ü").has_value());
}

TEST(SettingsDocument, HandEditedFilesAreReadLeniently) {
    const std::string text =
        "\xEF\xBB\xBF; written by hand\r\n"
        "orphan=before any section\r\n"
        "[Brackwell\\Settings]\r\n"
        "  Theme =  False  \r\n"
        "# another comment\r\n"
        "line without equals sign\r\n"
        "Drag=1\n"
        "Drag=3\n"
        "Rate=50%\n";
    const SettingsDocument read = SettingsDocument::FromText(text);

    EXPECT_EQ(read.Get("Brackwell\\Settings", "Theme"), "False");
    EXPECT_EQ(read.Get("Brackwell\\Settings", "Drag"), "3") << "the last line written wins";
    EXPECT_EQ(read.Get("Brackwell\\Settings", "Rate"), "50%") << "a lone % stays";
    EXPECT_FALSE(read.Get("Brackwell\\Settings", "orphan").has_value());
}

TEST(MemorySettingsStore, GivesTheDefaultUntilWrittenAndLogsEveryAccess) {
    MemorySettingsStore store;
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Theme", "True"), "True");
    store.SaveSetting("Brackwell", "Settings", "Theme", "False");
    store.SaveSetting("Brackwell", "Settings", "Drag", "2");
    EXPECT_EQ(store.GetSetting("brackwell", "settings", "theme", "True"), "False");

    ASSERT_EQ(store.Reads().size(), 2u);
    EXPECT_EQ(store.Reads()[0].value, "True");
    EXPECT_EQ(store.Reads()[1].value, "False");
    ASSERT_EQ(store.Writes().size(), 2u);
    EXPECT_EQ(store.Writes()[1].key, "Drag");
    store.ForgetAccesses();
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_EQ(store.Contents().Get("Brackwell\\Settings", "Drag"), "2");
}

class FileStore : public ::testing::Test {
protected:
    FileStore() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("brackwell-settings-" + std::string(info->name()));
        fs::remove_all(folder);
    }
    ~FileStore() override { fs::remove_all(folder); }

    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path folder;
    fs::path file() const { return folder / "brackwell" / "settings.ini"; }
};

TEST_F(FileStore, AMissingFileGivesTheDefaults) {
    FileSettingsStore store(file());
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "1");
    EXPECT_FALSE(fs::exists(file())) << "reading creates nothing";
}

TEST_F(FileStore, ValuesRoundTripThroughTheFileAndTheFolderIsCreated) {
    FileSettingsStore store(file());
    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i)
        store.SaveSetting("Brackwell", "Settings", "key" + std::to_string(i), kAwkwardTexts[i]);

    FileSettingsStore reader(file());
    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i)
        EXPECT_EQ(reader.GetSetting("Brackwell", "Settings", "key" + std::to_string(i), "?"), kAwkwardTexts[i]);
    EXPECT_EQ(reader.GetSetting("BRACKWELL", "Settings", "KEY0", "?"), kAwkwardTexts[0]);
}

TEST_F(FileStore, AnotherStoreSeesWritesAtTheNextRead) {
    FileSettingsStore first(file());
    FileSettingsStore second(file());
    EXPECT_EQ(second.GetSetting("Brackwell", "Settings", "SHFore", "0"), "0");

    first.SaveSetting("Brackwell", "Settings", "SHFore", "255");
    EXPECT_EQ(second.GetSetting("Brackwell", "Settings", "SHFore", "0"), "255");

    // A write keeps what the other store wrote meanwhile.
    second.SaveSetting("Brackwell", "Settings", "Drag", "3");
    EXPECT_EQ(first.GetSetting("Brackwell", "Settings", "SHFore", "0"), "255");
    EXPECT_EQ(first.GetSetting("Brackwell", "Settings", "Drag", "1"), "3");
}

TEST_F(FileStore, WritesLeaveOnlyTheSettingsFileBehind) {
    FileSettingsStore store(file());
    for (int i = 0; i < 5; ++i) store.SaveSetting("Brackwell", "Settings", "Drag", std::to_string(i));

    EXPECT_EQ(fs::directory_iterator(folder / "brackwell")->path().filename(), "settings.ini");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder / "brackwell")) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left";
    std::ifstream in(file(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[Brackwell\\Settings]\nDrag=4\n");
}

TEST_F(FileStore, AFailedWriteRaisesAndLeavesTheOldFile) {
    FileSettingsStore store(file());
    store.SaveSetting("Brackwell", "Settings", "Drag", "2");
    // A folder where the temporary file would go makes the write fail.
    fs::create_directories(folder / "blocked");
    FileSettingsStore blocked(folder / "blocked");

    try {
        blocked.SaveSetting("Brackwell", "Settings", "Drag", "3");
        FAIL() << "writing over a folder succeeded";
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Number(), kPathFileAccessError);
    }
    EXPECT_EQ(blocked.GetSetting("Brackwell", "Settings", "Drag", "1"), "1") << "a folder reads as no file";
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "2");
    EXPECT_EQ(FilesInFolder().size(), 2u) << "no temporary file is left beside the folder";
}

TEST_F(FileStore, UnicodePathsWork) {
    const fs::path unicodeFile = folder / PathFromUtf8("Jörg 売上") / "settings.ini";
    FileSettingsStore store(unicodeFile);
    store.SaveSetting("Brackwell", "Settings", "NameFore", "16711680");
    EXPECT_EQ(FileSettingsStore(unicodeFile).GetSetting("Brackwell", "Settings", "NameFore", "0"), "16711680");
}

TEST(FileSettingsStorePath, FollowsTheXdgConfigFolderElseHome) {
#ifndef _WIN32
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const char* oldHome = std::getenv("HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    const std::string savedHome = oldHome ? oldHome : "";

    setenv("HOME", "/home/jörg", 1);
    setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(FileSettingsStore::DefaultPath(), fs::path("/tmp/xdg/brackwell/settings.ini"));
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(FileSettingsStore::DefaultPath(), fs::path("/home/jörg/.config/brackwell/settings.ini"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FileSettingsStore().Path(), fs::path("/home/jörg/.config/brackwell/settings.ini"));

    if (oldConfig) setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    if (oldHome) setenv("HOME", savedHome.c_str(), 1); else unsetenv("HOME");
#else
    GTEST_SKIP() << "Windows uses %APPDATA%";
#endif
}

}  // namespace
}  // namespace brackwell::headless

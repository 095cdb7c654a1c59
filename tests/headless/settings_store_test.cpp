// The settings file: its text form, which any text survives, and the per-user
// file store, which replaces the file whole.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "adapters/headless/atomic_file.h"
#include "adapters/headless/file_settings_store.h"
#include "adapters/headless/settings_document.h"
#include "tests/headless/error_of.h"

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
    "#hash first, escape last %",
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

class FileStore : public ::testing::Test {
protected:
    FileStore() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("brackwell-settings-" + std::string(info->name()));
        fs::remove_all(folder);
    }
    ~FileStore() override { fs::remove_all(folder); }

    static std::ptrdiff_t FilesIn(const fs::path& dir) {
        return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    }

    fs::path folder;
};

TEST_F(FileStore, ValuesRoundTripThroughAFileUnderAUnicodeFolderThatAnotherStoreSeesAtItsNextRead) {
    const fs::path path = folder / PathFromUtf8("Jörg 売上") / "settings.ini";
    FileSettingsStore store(path);
    FileSettingsStore other(path);
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "1");
    EXPECT_FALSE(fs::exists(path)) << "reading a missing file creates nothing";
    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i)
        store.SaveSetting("Brackwell", "Settings", "key" + std::to_string(i), kAwkwardTexts[i]);
    for (std::size_t i = 0; i < kAwkwardTexts.size(); ++i)
        EXPECT_EQ(other.GetSetting("Brackwell", "Settings", "key" + std::to_string(i), "?"), kAwkwardTexts[i]);
    EXPECT_EQ(other.GetSetting("BRACKWELL", "Settings", "KEY0", "?"), kAwkwardTexts[0]);

    // A write keeps what the other store wrote meanwhile, and leaves no temporary file.
    other.SaveSetting("Brackwell", "Settings", "Drag", "3");
    store.SaveSetting("Brackwell", "Settings", "SHFore", "255");
    EXPECT_EQ(other.GetSetting("Brackwell", "Settings", "SHFore", "0"), "255");
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "3");
    EXPECT_EQ(FilesIn(path.parent_path()), 1);
}

TEST_F(FileStore, AFailedWriteRaisesAndLeavesTheOldFile) {
    FileSettingsStore store(folder / "settings.ini");
    store.SaveSetting("Brackwell", "Settings", "Drag", "2");
    // A folder where the temporary file would go makes the write fail.
    fs::create_directories(folder / "blocked");
    FileSettingsStore blocked(folder / "blocked");

    EXPECT_EQ(test_support::ErrorOf([&] { blocked.SaveSetting("Brackwell", "Settings", "Drag", "3"); }),
              kPathFileAccessError);
    EXPECT_EQ(test_support::ErrorOf([&] { blocked.GetSetting("Brackwell", "Settings", "Drag", "1"); }),
              err::kTypeMismatch) << "a folder is a file that cannot be read";
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "2");
    EXPECT_EQ(FilesIn(folder), 2) << "no temporary file is left beside the folder";
}

TEST_F(FileStore, AFileEditedOnWindowsReadsAndTheFirstOfSeveralDamagedLinesIsNamed) {
    const fs::path path = folder / "settings.ini";
    fs::create_directories(folder);
    FileSettingsStore store(path);
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF; von Hand\r\n[Brackwell\\Settings]\r\nDrag=3\r\nWBFore = 255 \r\n";
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "Drag", "1"), "3");
    EXPECT_EQ(store.GetSetting("Brackwell", "Settings", "WBFore", "0"), "255");

    std::ofstream(path, std::ios::binary) << "[Brackwell\\Settings]\r\nDrag=3\r\nkaputt\r\n\r\n[halb\r\nTheme=\x01\r\n";
    const std::string failure =
        test_support::DescriptionOf([&] { store.GetSetting("Brackwell", "Settings", "Drag", "1"); });
    EXPECT_NE(failure.find("ist beschädigt (Zeile 3)"), std::string::npos) << failure;
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

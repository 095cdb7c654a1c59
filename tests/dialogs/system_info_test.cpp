// StartSysInfo and GetKeyValue against registry values a test writes.

#include <gtest/gtest.h>

#include "dialogs/frm_about.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

constexpr std::uintptr_t kMachine = reg::kLocalMachine;
constexpr const char* kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kNotAvailable = "Systeminformationen sind momentan nicht verfügbar";

class SystemInfoTest : public DialogTest {
protected:
    headless::HeadlessSystem& System() { return platform.System(); }
    headless::HeadlessRegistry& Registry() { return System().SystemRegistry(); }

    std::vector<std::string> Started() {
        std::vector<std::string> paths;
        for (const auto& start : System().ProgramStarts()) {
            EXPECT_EQ(start.windowStyle, 1);
            paths.push_back(start.path);
        }
        return paths;
    }
};

TEST_F(SystemInfoTest, TheFirstLocationWinsAndIsStartedAsItSays) {
    Registry().SetText(kMachine, kFirstKey, "PATH", "C:\\Programme\\Gemeinsame Dateien\\MSInfo\\msinfo32.exe");
    Registry().SetText(kMachine, kSecondKey, "MSINFO", "C:\\Anderswo");
    System().AddFile("C:\\Programme\\Gemeinsame Dateien\\MSInfo\\msinfo32.exe");
    System().AddFile("C:\\Anderswo\\MSINFO32.EXE");
    StartSysInfo(component);
    EXPECT_EQ(Started(), std::vector<std::string>{"C:\\Programme\\Gemeinsame Dateien\\MSInfo\\msinfo32.exe"});
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Registry().OpenKeys(), 0u);
    EXPECT_EQ(Registry().AccessRequested(), std::vector<std::uint32_t>{0x2003F});
}

TEST_F(SystemInfoTest, TheSecondLocationNeedsTheFileInItsFolder) {
    Registry().SetText(kMachine, kSecondKey, "MSINFO", "C:\\Tools");
    StartSysInfo(component);  // no file there
    System().AddFile("c:\\tools\\msinfo32.exe");
    StartSysInfo(component);
    EXPECT_EQ(Started(), std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt, kNotAvailable);
    EXPECT_EQ(Messages()[0].title, "Brackwell");
    EXPECT_EQ(Registry().OpenKeys(), 0u);
}

TEST_F(SystemInfoTest, EveryFailureEndsInTheMessage) {
    StartSysInfo(component);  // neither location
    Registry().SetText(kMachine, kFirstKey, "PATH", "C:\\fehlt\\msinfo32.exe");
    Registry().SetText(kMachine, kSecondKey, "MSINFO", "C:\\Tools");
    System().AddFile("C:\\Tools\\MSINFO32.EXE");
    StartSysInfo(component);  // the first names a missing program: no second try
    Registry().SetText(kMachine, kFirstKey, "PATH", std::string(600, 'x'));
    Registry().SetValue(kMachine, kSecondKey, "MSINFO", reg::kTypeBinary, {1, 2, 3});
    StartSysInfo(component);  // too long for the buffer; the second is no text and names nothing
    EXPECT_TRUE(Started().empty());
    ASSERT_EQ(Messages().size(), 3u);
    for (const auto& m : Messages()) EXPECT_EQ(m.prompt, kNotAvailable);
    EXPECT_EQ(Registry().OpenKeys(), 0u);
}

TEST_F(SystemInfoTest, GetKeyValueReadsTextAndNumbersAndKeepsTheTextForOtherTypes) {
    auto& r = Registry();
    r.SetText(kMachine, "K", "Text", "Übersicht 売上");
    r.SetDword(kMachine, "K", "Zahl", 4000000000u);
    r.SetValue(kMachine, "K", "Binär", reg::kTypeBinary, {0x41, 0});
    r.SetText(kMachine, "K", "Grenze", std::string(511, 'a'));  // 1024 bytes with the closing NUL
    r.SetText(kMachine, "K", "Zulang", std::string(512, 'a'));

    std::string value = "vorher";
    EXPECT_TRUE(GetKeyValue(r, kMachine, "k", "text", value));
    EXPECT_EQ(value, "Übersicht 売上");
    EXPECT_TRUE(GetKeyValue(r, kMachine, "K", "Zahl", value));
    EXPECT_EQ(value, "4000000000");
    value = "vorher";
    EXPECT_TRUE(GetKeyValue(r, kMachine, "K", "Binär", value));
    EXPECT_EQ(value, "vorher");
    EXPECT_TRUE(GetKeyValue(r, kMachine, "K", "Grenze", value));
    EXPECT_EQ(value.size(), 511u);
    EXPECT_FALSE(GetKeyValue(r, kMachine, "K", "Zulang", value));
    EXPECT_EQ(value, "");
    value = "vorher";
    EXPECT_FALSE(GetKeyValue(r, kMachine, "K", "Fehlt", value));
    EXPECT_EQ(value, "");
    value = "vorher";
    EXPECT_FALSE(GetKeyValue(r, reg::kCurrentUser, "K", "Text", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(r.OpenKeys(), 0u);
}

}  // namespace
}  // namespace brackwell::testing

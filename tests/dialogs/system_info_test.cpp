// StartSysInfo and GetKeyValue against registry values a test writes.

#include <gtest/gtest.h>

#include "dialogs/frm_about.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

constexpr std::uintptr_t kMachine = reg::kLocalMachine;
constexpr const char* kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

class SystemInfoTest : public DialogTest {
protected:
    headless::HeadlessSystem& System() { return platform.System(); }
    headless::HeadlessRegistry& Registry() { return System().SystemRegistry(); }

    // Runs StartSysInfo: the program started, or the message shown.
    std::string Start() {
        const std::size_t starts = System().ProgramStarts().size(), messages = Messages().size();
        StartSysInfo(component);
        EXPECT_EQ(Registry().OpenKeys(), 0u) << "every key opened is closed";
        if (System().ProgramStarts().size() > starts) {
            EXPECT_EQ(System().ProgramStarts().back().windowStyle, 1);
            return System().ProgramStarts().back().path;
        }
        if (Messages().size() > messages) return Messages().back().title + ": " + Messages().back().prompt;
        return "nothing";
    }
};

TEST_F(SystemInfoTest, TriesBothLocationsAndSaysSoWhenNeitherNamesAProgram) {
    const std::string message = "Brackwell: Systeminformationen sind momentan nicht verfügbar";
    EXPECT_EQ(Start(), message);
    Registry().SetText(kMachine, kSecondKey, "MSINFO", "C:\\Tools");
    EXPECT_EQ(Start(), message) << "the folder holds no MSINFO32.EXE";
    System().AddFile("c:\\tools\\msinfo32.exe");
    EXPECT_EQ(Start(), "C:\\Tools\\MSINFO32.EXE");
    Registry().SetText(kMachine, kFirstKey, "PATH", "C:\\MSInfo\\msinfo32.exe");
    EXPECT_EQ(Start(), message) << "the first names a missing program: no second try";
    System().AddFile("C:\\MSInfo\\msinfo32.exe");
    EXPECT_EQ(Start(), "C:\\MSInfo\\msinfo32.exe");
    Registry().SetText(kMachine, kFirstKey, "PATH", std::string(600, 'x'));  // more than the buffer holds
    EXPECT_EQ(Start(), "C:\\Tools\\MSINFO32.EXE");
    Registry().SetValue(kMachine, kFirstKey, "PATH", reg::kTypeBinary, {1, 2, 3});  // read, names nothing
    EXPECT_EQ(Start(), message);
    EXPECT_EQ(Registry().AccessRequested().back(), 0x2003Fu);
}

TEST_F(SystemInfoTest, GetKeyValueReadsTextAndNumbersAndKeepsTheTextForOtherTypes) {
    auto& r = Registry();
    r.SetText(kMachine, "K", "Text", "Übersicht 売上");
    r.SetDword(kMachine, "K", "Zahl", 4000000000u);
    r.SetValue(kMachine, "K", "Binär", reg::kTypeBinary, {0x41, 0});
    r.SetText(kMachine, "K", "Grenze", std::string(511, 'a'));  // 1024 bytes with the closing NUL
    r.SetText(kMachine, "K", "Zulang", std::string(512, 'a'));
    std::string read;
    for (const char* name : {"text", "Zahl", "Binär", "Zulang", "Fehlt"}) {
        std::string value = "vorher";
        read += (GetKeyValue(r, kMachine, "k", name, value) ? "|True " : "|False ") + value;
    }
    EXPECT_EQ(read, "|True Übersicht 売上|True 4000000000|True vorher|False |False ");
    std::string value;
    EXPECT_TRUE(GetKeyValue(r, kMachine, "K", "Grenze", value));
    EXPECT_EQ(value, std::string(511, 'a'));
    EXPECT_FALSE(GetKeyValue(r, reg::kCurrentUser, "K", "Text", value));
    EXPECT_EQ(r.OpenKeys(), 0u);
}

}  // namespace
}  // namespace brackwell::testing

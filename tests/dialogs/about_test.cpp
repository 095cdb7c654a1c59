// The about box through ShowAbout (its version text, the homepage and the
// system information, with the box open until OK), and OpenUrl's "http://"
// rule. The real box's test (tests/windows_dialogs) reads all its texts.

#include <gtest/gtest.h>

#include "dialogs/frm_about.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

using AboutTest = DialogTest;

TEST_F(AboutTest, ShowsItselfAndOpensHomepageAndSystemInformationUntilOk) {
    platform.System().SetVersion({2, 0, 33});
    WindowHandle box = 0;
    Next("frmAbout")
        .Look([&](headless::HeadlessDialog& d) { box = d.Hwnd(); })
        .Press("mnuUrl")
        .Click("lblURL")
        .Press("mnuSys")  // the registry names no program: a message, the box stays
        .Press("mnuOk");
    ShowAbout(component);

    const auto& shown = Shown();
    EXPECT_EQ(shown.caption + " / " + shown.Control("lblTitle").caption + " / " + shown.Control("lblVersion").caption,
              "Info zu Brackwell / Brackwell / Version: 2.0.33");
    EXPECT_EQ(shown.owner, 0);
    ASSERT_EQ(platform.System().ShellExecuteCalls().size(), 2u);
    for (const auto& call : platform.System().ShellExecuteCalls()) {
        EXPECT_EQ(call.window, box);
        EXPECT_EQ(call.operation + " " + call.file + " '" + call.parameters + "' '" + call.directory + "' " +
                      std::to_string(call.showCommand),
                  "Open http://brackwell.example '' '' 3");
        EXPECT_TRUE(call.busyPointer);
    }
    EXPECT_EQ(platform.System().PointerChanges(), (std::vector<bool>{true, false, true, false}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title + ": " + Messages()[0].prompt,
              "Brackwell: Systeminformationen sind momentan nicht verfügbar");
}

TEST(OpenUrl, PutsHttpInFrontUnlessTheAddressStartsExactlySo) {
    headless::HeadlessSystem system;
    for (const char* address : {"brackwell.example", "http://brackwell.example/kontakt", "HTTP://brackwell.example"})
        OpenUrl(system, 0x30, address);
    std::vector<std::string> files;
    for (const auto& call : system.ShellExecuteCalls()) files.push_back(call.file);
    EXPECT_EQ(files, (std::vector<std::string>{"http://brackwell.example", "http://brackwell.example/kontakt",
                                               "http://HTTP://brackwell.example"}));
    EXPECT_FALSE(system.BusyPointer());
}

}  // namespace
}  // namespace brackwell::testing

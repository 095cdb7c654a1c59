// The about box through ShowAbout: what it shows, and its bar and address
// label, which open the homepage and the system information.

#include <gtest/gtest.h>

#include "dialogs/frm_about.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

class AboutTest : public DialogTest {
protected:
    headless::HeadlessSystem& System() { return platform.System(); }
};

TEST_F(AboutTest, ShowsTitleVersionAndDescription) {
    System().SetVersion({2, 0, 33});
    component.settings.Theme = false;
    ShowAbout(component);  // nothing scripted: closed with the close box

    const auto& shown = Shown();
    EXPECT_EQ(shown.form, "frmAbout");
    EXPECT_EQ(shown.caption, "Info zu Brackwell");
    EXPECT_EQ(shown.owner, 0);
    EXPECT_EQ(shown.Control("lblTitle").caption, "Brackwell");
    EXPECT_EQ(shown.Control("lblVersion").caption, "Version: 2.0.33");
    EXPECT_EQ(shown.Control("lblDescription").caption,
              "Dieses Addin soll die Navigation und Übersichtlichkeit\r\n"
              "in umfangreichen bzw. mehreren geöffneten Arbeitsmappen erleichtern.\r\n"
              "\r\n"
              "info@brackwell.example | brackwell.example");
    EXPECT_EQ(shown.Control("lblURL").caption, "brackwell.example");
    EXPECT_EQ(shown.barStyle, 2);
    EXPECT_TRUE(platform.HeadlessWindows().Children(0).empty());
}

TEST_F(AboutTest, HomepageAndSystemInformationLeaveTheBoxOpenUntilOk) {
    WindowHandle box = 0;
    bool openAfterActions = false;
    Next("frmAbout")
        .Look([&](headless::HeadlessDialog& d) { box = d.Hwnd(); })
        .Press("mnuUrl")
        .Click("lblURL")
        .Press("mnuSys")  // the registry names no program
        .Look([&](headless::HeadlessDialog& d) { openAfterActions = d.Visible(); })
        .Press("mnuOk");
    ShowAbout(component);

    EXPECT_TRUE(openAfterActions);
    const auto& calls = System().ShellExecuteCalls();
    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call.window, box);
        EXPECT_EQ(call.operation, "Open");
        EXPECT_EQ(call.file, "http://brackwell.example");
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.directory, "");
        EXPECT_EQ(call.showCommand, 3);
        EXPECT_TRUE(call.busyPointer);
    }
    EXPECT_EQ(System().PointerChanges(), (std::vector<bool>{true, false, true, false}));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].prompt, "Systeminformationen sind momentan nicht verfügbar");
    EXPECT_EQ(Messages()[0].title, "Brackwell");
    EXPECT_EQ(Messages()[0].style, 0);
}

TEST(OpenUrl, PutsHttpInFrontUnlessTheAddressStartsExactlySo) {
    headless::HeadlessSystem system;
    OpenUrl(system, 0, "brackwell.example");
    OpenUrl(system, 0x30, "http://brackwell.example/kontakt");
    OpenUrl(system, 0, "HTTP://brackwell.example");
    OpenUrl(system, 0, "https://brackwell.example");
    std::vector<std::string> files;
    for (const auto& call : system.ShellExecuteCalls()) files.push_back(call.file);
    EXPECT_EQ(files, (std::vector<std::string>{"http://brackwell.example", "http://brackwell.example/kontakt",
                                               "http://HTTP://brackwell.example",
                                               "http://https://brackwell.example"}));
    EXPECT_EQ(system.ShellExecuteCalls()[1].window, 0x30);
    EXPECT_FALSE(system.BusyPointer());
}

}  // namespace
}  // namespace brackwell::testing

// The options dialog, loaded and shown as the toolbar's options command
// does, and cColorDialog, which its colour boxes open. The real dialog's
// test (tests/windows_dialogs) clicks the same script through the real
// controls and the system's chooser, its owner and its grey slots.

#include <gtest/gtest.h>

#include "adapters/headless/memory_settings_store.h"
#include "dialogs/c_color_dialog.h"
#include "dialogs/frm_options.h"
#include "host/automation_error.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kTeal = 0x808000;

class OptionsTest : public DialogTest {
protected:
    void Open() {
        FrmOptions options(component);
        options.Load();
        options.ShowModal();
        EXPECT_FALSE(options.Loaded()) << "every way out unloads it";
    }

    // What the user saw: theme buttons, drag buttons, check boxes, colours.
    std::string ShownValues() {
        const auto& s = Shown();
        std::string values;
        for (const char* name : {"optOffice03", "optXP", "chkMapExpand", "chkForeReg"})
            values += std::to_string(s.Control(name).value);
        for (std::int32_t i = 1; i <= 3; ++i) values += std::to_string(s.Control("optDraging", i).value);
        for (std::int32_t i = 0; i <= 2; ++i) values += " " + std::to_string(s.Control("picFore", i).backColor);
        return values;
    }

    std::vector<std::string> Written() {
        std::vector<std::string> writes;
        for (const auto& w : static_cast<headless::MemorySettingsStore&>(platform.Settings()).Writes())
            writes.push_back(w.key + "=" + w.value);
        return writes;
    }
};

TEST_F(OptionsTest, OpensWithTheDefaultsStoresNothingWhenCancelledAndKeepsADragWithoutButton) {
    Open();  // closed with the close box
    EXPECT_EQ(ShownValues(), "1000100 0 0 0");
    EXPECT_EQ(Shown().barStyle, 3);

    platform.HeadlessUi().ChooseColorNext(kRed);
    Next("frmOptions").Click("picFore", 0).Click("optDraging", 2).Click("chkMapExpand").Press("mnuCancel");
    Open();
    Open();
    EXPECT_EQ(ShownValues(), "1000100 0 0 0") << "the cancelled changes are gone";
    EXPECT_TRUE(Written().empty());

    // A "Drag" outside 1 to 3 (only a hand-edited store holds one) selects no
    // button; OK keeps it unless the user selects one.
    component.settings.Drag = 7;
    Next("frmOptions").Press("mnuOk");
    Open();
    EXPECT_EQ(ShownValues(), "1000000 0 0 0") << "the rest of the load still runs";
    EXPECT_EQ(Written()[1], "Drag=7");
    Next("frmOptions").Click("optDraging", 2).Press("mnuOk");
    Open();
    EXPECT_EQ(component.settings.Drag, 2);
}

TEST_F(OptionsTest, OkTakesEveryControlAndWritesAllSevenKeysInOrder) {
    auto& ui = platform.HeadlessUi();
    ui.ChooseColorNext(kRed);  // picFore(1)
    ui.CancelColorNext();      // picFore(0)
    ui.ChooseColorNext(0);     // picFore(2): black counts as cancelled
    component.settings.NameFore = kTeal;
    Next("frmOptions")
        .Click("optXP")
        .Click("optDraging", 3)
        .Click("chkMapExpand")
        .Click("chkForeReg")
        .Click("picFore", 1)
        .Click("picFore", 0)
        .Click("picFore", 2)
        .Press("mnuOk");
    Open();
    EXPECT_EQ(Written(), (std::vector<std::string>{"Theme=False", "Drag=3", "MapExpand=True", "WBFore=0", "SHFore=255",
                                                   "NameFore=8421376", "SetForeReg=True"}));
    EXPECT_EQ(ui.ColorChoosers().at(2).initialColor, kTeal) << "each box opens the chooser at its colour";
    Open();  // the next opening shows what was stored
    EXPECT_EQ(ShownValues(), "0111001 0 255 8421376");
    EXPECT_EQ(Shown().barStyle, 2);
}

TEST(ColorDialog, FailsOnABadSlotChangingNothing) {
    headless::HeadlessUserInterface ui;
    cColorDialog chooser(ui);
    for (std::int32_t bad : {-1, 16}) {
        EXPECT_THROW(chooser.SetCustomColor(bad, kRed), AutomationError);
        try {
            chooser.CustomColor(bad);
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), 9);
        }
    }
    chooser.SetCustomColor(15, kRed);
    chooser.SetInitColor(kTeal);  // not used: no CC_RGBINIT
    ui.CancelColorNext();
    EXPECT_EQ(chooser.Execute(0x4711), 0u);
    const auto& shown = ui.ColorChoosers().at(0);
    EXPECT_EQ(shown.owner, 0x4711);
    EXPECT_EQ(shown.flags, 0x100u) << "CC_ANYCOLOR is always added";
    EXPECT_EQ(shown.initialColor, 0u);
    EXPECT_EQ(shown.customColors[15], kRed);
}

}  // namespace
}  // namespace brackwell::testing

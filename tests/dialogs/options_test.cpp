// The options dialog, loaded and shown as the toolbar's options command
// does, and cColorDialog, which its colour boxes open.

#include <gtest/gtest.h>

#include "adapters/headless/memory_settings_store.h"
#include "core/settings.h"
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

    std::vector<std::string> Written() {
        std::vector<std::string> writes;
        for (const auto& w : Store().Writes()) writes.push_back(w.key + "=" + w.value);
        return writes;
    }

    std::vector<std::int32_t> DragShown() {
        const auto& shown = Shown();
        return {shown.Control("optDraging", 1).value, shown.Control("optDraging", 2).value,
                shown.Control("optDraging", 3).value};
    }

    headless::MemorySettingsStore& Store() { return static_cast<headless::MemorySettingsStore&>(platform.Settings()); }
    headless::HeadlessUserInterface& Ui() { return platform.HeadlessUi(); }
};

TEST_F(OptionsTest, TheFirstOpeningShowsTheDefaultsAndTheCloseBoxStoresNothing) {
    Open();
    const auto& shown = Shown();
    EXPECT_EQ(shown.caption, "Einstellungen");
    EXPECT_EQ(shown.Control("optOffice03").value, 1);
    EXPECT_EQ(shown.Control("optXP").value, 0);
    EXPECT_EQ(DragShown(), (std::vector<std::int32_t>{1, 0, 0}));
    EXPECT_EQ(shown.Control("chkMapExpand").value, 0);
    EXPECT_EQ(shown.Control("chkForeReg").value, 0);
    for (std::int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shown.Control("picFore", i).backColor, 0u);
        EXPECT_EQ(shown.Control("picFore", i).borderStyle, 1);
    }
    EXPECT_EQ(shown.Control("Label2").caption, "Drag&&Drop");  // shown as "Drag&Drop"
    EXPECT_EQ(shown.barStyle, 3);
    EXPECT_TRUE(Store().Writes().empty());
}

TEST_F(OptionsTest, OkTakesEveryControlAndWritesAllSevenKeysInOrder) {
    Ui().ChooseColorNext(kRed);  // picFore(1)
    Ui().CancelColorNext();      // picFore(0)
    Ui().ChooseColorNext(0);     // picFore(2): black counts as cancelled
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

    EXPECT_EQ(Written(), (std::vector<std::string>{"Theme=False", "Drag=3", "MapExpand=True", "WBFore=0",
                                                   "SHFore=255", "NameFore=8421376", "SetForeReg=True"}));
    const Settings& s = component.settings;
    EXPECT_FALSE(s.Theme);
    EXPECT_EQ(s.Drag, 3);
    EXPECT_TRUE(s.MapExpand);
    EXPECT_EQ(s.SHFore, kRed);
    EXPECT_EQ(s.NameFore, kTeal);
    EXPECT_TRUE(s.SetForeReg);

    // Each box opened its own chooser, owned by the dialog, starting at the box's colour.
    const auto& choosers = Ui().ColorChoosers();
    ASSERT_EQ(choosers.size(), 3u);
    EXPECT_EQ(choosers[2].initialColor, kTeal);
    for (const auto& chooser : choosers) {
        EXPECT_NE(chooser.owner, 0);
        EXPECT_EQ(chooser.flags, 0x101u);
        EXPECT_EQ(chooser.customColors[0], 0x0F0F0Fu);
        EXPECT_EQ(chooser.customColors[15], 0xF0F0F0u);
    }

    // Nothing untouched is lost: an OK right away writes the same again.
    Next("frmOptions").Press("mnuOk");
    Open();
    EXPECT_EQ(Shown().Control("optXP").value, 1);
    EXPECT_EQ(Shown().barStyle, 2);
    EXPECT_EQ(Store().Writes().size(), 14u);
    EXPECT_EQ(Store().Writes()[11].key, "SHFore");
    EXPECT_EQ(Store().Writes()[11].value, "255");
}

TEST_F(OptionsTest, CancelStoresNothingAndTheNextOpeningStartsFromTheSettings) {
    Ui().ChooseColorNext(kRed);
    Next("frmOptions").Click("picFore", 0).Click("optDraging", 2).Click("chkMapExpand").Press("mnuCancel");
    Open();
    Open();  // closed with the close box
    EXPECT_TRUE(Store().Writes().empty());
    EXPECT_EQ(component.settings.WBFore, 0u);
    EXPECT_EQ(component.settings.Drag, 1);
    EXPECT_EQ(Shown().Control("picFore", 0).backColor, 0u);
    EXPECT_EQ(DragShown(), (std::vector<std::int32_t>{1, 0, 0}));
}

// A "Drag" outside 1 to 3, which only a hand-edited store holds, selects no
// drag button; OK then keeps the value unless the user selects one.
TEST_F(OptionsTest, ADragValueWithoutButtonIsKeptUntilTheUserSelectsOne) {
    component.settings.Drag = 7;
    component.settings.Theme = false;
    Next("frmOptions").Press("mnuOk");
    Open();
    EXPECT_EQ(DragShown(), (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(Shown().Control("optXP").value, 1) << "the rest of the load still runs";
    EXPECT_EQ(Shown().barStyle, 2);
    EXPECT_EQ(component.settings.Drag, 7);
    EXPECT_EQ(Store().Writes()[1].value, "7");

    Next("frmOptions").Click("optDraging", 2).Press("mnuOk");
    Open();
    EXPECT_EQ(component.settings.Drag, 2);
}

TEST(ColorDialog, CustomColoursAreGreysAndABadSlotFailsChangingNothing) {
    headless::HeadlessUserInterface ui;
    cColorDialog chooser(ui);
    for (std::int32_t k = 0; k < 16; ++k) {
        const Color g = 15u * static_cast<Color>(k + 1);
        EXPECT_EQ(chooser.CustomColor(k), g | (g << 8) | (g << 16)) << k;
    }
    for (std::int32_t bad : {-1, 16}) {
        try {
            chooser.SetCustomColor(bad, kRed);
            ADD_FAILURE() << bad;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), 9);
        }
        EXPECT_THROW(chooser.CustomColor(bad), AutomationError);
    }
    chooser.SetCustomColor(15, kRed);

    // Without CC_RGBINIT the chooser starts from black; CC_ANYCOLOR is always added.
    chooser.SetInitColor(kTeal);
    ui.ChooseColorNext(kTeal);
    EXPECT_EQ(chooser.Execute(), kTeal);
    ui.CancelColorNext();
    EXPECT_EQ(chooser.Execute(0x4711), 0u);
    const auto& shown = ui.ColorChoosers();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].owner, 0);
    EXPECT_EQ(shown[0].flags, 0x100u);
    EXPECT_EQ(shown[0].initialColor, 0u);
    EXPECT_EQ(shown[0].customColors[15], kRed);
    EXPECT_EQ(shown[0].customColors[14], 0xE1E1E1u);
    EXPECT_EQ(shown[1].owner, 0x4711);
}

}  // namespace
}  // namespace brackwell::testing

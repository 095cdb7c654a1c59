// The tab colour picker, opened as the tab colour command opens it: caption,
// Tag and the mark of the current colour set by the caller, Tag read back.

#include <gtest/gtest.h>

#include "dialogs/frm_col_index.h"
#include "tests/dialogs/dialog_fixture.h"
#include "tree/palette.h"

namespace brackwell::testing {
namespace {

constexpr std::int32_t kNoColor = -4142;

class ColIndexTest : public DialogTest {
protected:
    // The caller's sequence; returns Tag as the caller reads it.
    std::string Pick(const std::string& sheet, std::int32_t current) {
        FrmColIndex picker(component);
        picker.Load();
        picker.SetCaption(sheet);
        picker.Tag = std::to_string(current);
        if (current != kNoColor) picker.picCol(current).SetBorderStyle(1);
        picker.ShowModal();
        const std::string tag = picker.Tag;
        stillLoaded = picker.Loaded();
        picker.Unload();
        return tag;
    }

    std::vector<std::int32_t> Marked(const headless::DialogShowing& shown) {
        std::vector<std::int32_t> marked;
        for (const auto& c : shown.controls)
            if (c.name == "picCol" && c.borderStyle == 1) marked.push_back(c.index);
        return marked;
    }

    static std::vector<std::int32_t> MarkedNow(headless::HeadlessDialog& dialog) {
        std::vector<std::int32_t> marked;
        for (std::int32_t k = 1; k <= 56; ++k)
            if (dialog.Control("picCol", k).BorderStyle() == 1) marked.push_back(k);
        return marked;
    }

    bool stillLoaded = false;
};

TEST_F(ColIndexTest, OpensWithThePaletteTheCurrentColourMarkedAndOkWaitingForAClick) {
    bool okBeforeClick = true, okAfterClick = false, openAfterEarlyOk = false;
    Next("frmColIndex")
        .Press("mnuOk")  // disabled: nothing happens, even with colour 7 marked
        .Look([&](headless::HeadlessDialog& d) {
            okBeforeClick = d.BarControl().ButtonEnabled("mnuOk");
            openAfterEarlyOk = d.Visible();
        })
        .Click("picCol", 7)  // the marked box itself
        .Look([&](headless::HeadlessDialog& d) { okAfterClick = d.BarControl().ButtonEnabled("mnuOk"); })
        .Press("mnuOk");

    EXPECT_EQ(Pick("Übersicht", 7), "7");
    EXPECT_TRUE(stillLoaded) << "OK hides the picker; the caller unloads it";

    const auto& shown = Shown();
    EXPECT_EQ(shown.caption, "Übersicht");
    EXPECT_EQ(shown.owner, 0);
    EXPECT_EQ(Marked(shown), std::vector<std::int32_t>{7});
    for (std::int32_t k = 1; k <= 56; ++k) EXPECT_EQ(shown.Control("picCol", k).backColor, ColorIndexToRgb(k)) << k;
    EXPECT_EQ(shown.barStyle, 3);
    EXPECT_FALSE(shown.barEnabled.at("mnuOk"));
    EXPECT_TRUE(shown.barEnabled.at("mnuRetour"));
    EXPECT_TRUE(shown.barEnabled.at("mnuCancel"));
    EXPECT_FALSE(okBeforeClick);
    EXPECT_TRUE(openAfterEarlyOk);
    EXPECT_TRUE(okAfterClick);

    // A sheet without tab colour: nothing marked.
    Next("frmColIndex").Press("mnuRetour");
    Pick("Tabelle2", kNoColor);
    EXPECT_TRUE(Marked(Shown()).empty());
}

TEST_F(ColIndexTest, OnlyTheLastClickedBoxIsMarkedAndReturnedAsItsIndex) {
    std::vector<std::int32_t> marked;
    Next("frmColIndex")
        .Click("picCol", 3)
        .Click("picCol", 12)
        .Click("picCol", 56)
        .Look([&](headless::HeadlessDialog& d) { marked = MarkedNow(d); })
        .Press("mnuOk");
    EXPECT_EQ(Pick("Tabelle1", 5), "56");  // the index, not the colour 0x333333
    EXPECT_EQ(marked, std::vector<std::int32_t>{56});
}

TEST_F(ColIndexTest, KeineGivesNoColourWithOrWithoutAClick) {
    Next("frmColIndex").Press("mnuRetour");
    Next("frmColIndex").Click("picCol", 9).Press("mnuRetour");
    EXPECT_EQ(Pick("Tabelle1", 3), "-4142");
    EXPECT_TRUE(stillLoaded);
    EXPECT_EQ(Pick("Tabelle1", kNoColor), "-4142");
}

TEST_F(ColIndexTest, CancelAndTheCloseBoxUnloadItAndLeaveNoResult) {
    component.settings.Theme = false;
    Next("frmColIndex").Click("picCol", 9).Press("mnuCancel");
    Next("frmColIndex").Click("picCol", 9).CloseBox();
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Pick("Tabelle1", 4), "");
        EXPECT_FALSE(stillLoaded);
        EXPECT_EQ(Shown().barStyle, 2);
    }
    // Nothing scripted: the user closes it at once.
    EXPECT_EQ(Pick("Tabelle1", 4), "");
    EXPECT_EQ(platform.HeadlessWindows().Children(0).size(), 0u) << "no dialog window is left behind";
}

}  // namespace
}  // namespace brackwell::testing

// The tab colour picker, opened as the tab colour command opens it: caption,
// Tag and the mark of the current colour set by the caller, Tag read back.

#include <gtest/gtest.h>

#include "dialogs/frm_col_index.h"
#include "tests/dialogs/dialog_fixture.h"
#include "tree/palette.h"

namespace brackwell::testing {
namespace {

class ColIndexTest : public DialogTest {
protected:
    // The caller's sequence; returns Tag as the caller reads it.
    std::string Pick(std::int32_t current) {
        FrmColIndex picker(component);
        picker.Load();
        picker.SetCaption("Übersicht");
        picker.Tag = std::to_string(current);
        if (current != -4142) picker.picCol(current).SetBorderStyle(1);
        picker.ShowModal();
        loadedAfterShow = picker.Loaded();
        return picker.Tag;
    }

    static std::vector<std::int32_t> Marked(headless::HeadlessDialog& d) {
        std::vector<std::int32_t> marked;
        for (std::int32_t k = 1; k <= 56; ++k)
            if (d.Control("picCol", k).BorderStyle() == 1) marked.push_back(k);
        return marked;
    }

    bool loadedAfterShow = false;
};

TEST_F(ColIndexTest, OkWaitsForAClickAndOnlyTheLastClickedBoxIsMarkedAndReturned) {
    std::vector<std::int32_t> atOpening, afterClicks;
    bool okBeforeClick = true, openAfterEarlyOk = false;
    Next("frmColIndex")
        .Look([&](headless::HeadlessDialog& d) { atOpening = Marked(d); })
        .Press("mnuOk")  // disabled even with the current colour marked: nothing happens
        .Look([&](headless::HeadlessDialog& d) {
            okBeforeClick = d.BarControl().ButtonEnabled("mnuOk");
            openAfterEarlyOk = d.Visible();
        })
        .Click("picCol", 12)
        .Click("picCol", 56)
        .Look([&](headless::HeadlessDialog& d) { afterClicks = Marked(d); })
        .Press("mnuOk");
    EXPECT_EQ(Pick(7), "56");  // the index, not the colour 0x333333
    EXPECT_TRUE(loadedAfterShow) << "OK hides the picker; the caller unloads it";
    EXPECT_EQ(atOpening, std::vector<std::int32_t>{7});
    EXPECT_FALSE(okBeforeClick);
    EXPECT_TRUE(openAfterEarlyOk);
    EXPECT_EQ(afterClicks, std::vector<std::int32_t>{56});

    EXPECT_EQ(Shown().caption, "Übersicht");
    EXPECT_EQ(Shown().Control("picCol", 56).backColor, ColorIndexToRgb(56));
    EXPECT_EQ(Shown().barStyle, 3);

    // The marked box clicked again is a choice too; no colour marks nothing.
    Next("frmColIndex").Look([&](headless::HeadlessDialog& d) { atOpening = Marked(d); }).Click("picCol", 5).Press("mnuOk");
    EXPECT_EQ(Pick(-4142), "5");
    EXPECT_TRUE(atOpening.empty());
}

TEST_F(ColIndexTest, KeineRemovesTheColourAndCancellingLeavesNoResult) {
    component.settings.Theme = false;
    Next("frmColIndex").Press("mnuRetour");
    Next("frmColIndex").Click("picCol", 9).Press("mnuRetour");
    Next("frmColIndex").Click("picCol", 9).Press("mnuCancel");
    Next("frmColIndex").Click("picCol", 9).CloseBox();
    EXPECT_EQ(Pick(3), "-4142");
    EXPECT_EQ(Pick(3), "-4142");
    EXPECT_TRUE(loadedAfterShow);
    EXPECT_EQ(Pick(3), "");
    EXPECT_FALSE(loadedAfterShow) << "cancelled, the picker has unloaded itself";
    EXPECT_EQ(Pick(3), "");
    EXPECT_EQ(Pick(3), "") << "nothing scripted: the user closes it at once";
    EXPECT_EQ(Shown().barStyle, 2);
    EXPECT_TRUE(platform.HeadlessWindows().Children(0).empty()) << "no dialog window is left behind";
}

}  // namespace
}  // namespace brackwell::testing

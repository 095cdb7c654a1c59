// Scripting the headless toolbar and popup menu: a script can do only what a
// user could.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/headless/headless_popup_menu.h"
#include "adapters/headless/headless_toolbar.h"
#include "adapters/headless/script_error.h"
#include "tests/headless/error_of.h"

namespace brackwell::headless {
namespace {

ToolbarDesign SmallBar() {
    ToolbarDesign design;
    design.buttons.resize(4);
    design.buttons[0].key = "mnuNew";
    design.buttons[0].style = toolbar_style::kDropDown;
    design.buttons[0].menu = {{"newMap", "Arbeitsmappe", 6800, true}, {"newTab", "Tabellenblatt", 6601, true}};
    design.buttons[1].key = "mnuTabDel";
    design.buttons[2].style = toolbar_style::kSeparator;
    design.buttons[3].key = "mnuInfo";
    return design;
}

class ClickLog final : public ToolbarEvents {
public:
    void ButtonClick(const std::string& key) override { log.push_back("button " + key); }
    void MenuItemClick(const std::string& key) override { log.push_back("item " + key); }
    std::vector<std::string> log;
};

using test_support::ErrorOf;

TEST(HeadlessToolbar, ClicksAndMenuChoicesReachTheHandlersOnlyOnEnabledButtons) {
    HeadlessToolbar bar(SmallBar());
    ClickLog sink;
    const auto connection = bar.Advise(sink);
    EXPECT_TRUE(bar.ButtonEnabled("mnuInfo")) << "buttons start enabled";

    EXPECT_TRUE(bar.Click("mnuTabDel"));
    EXPECT_TRUE(bar.ChooseMenuItem("mnuNew", "newTab"));
    EXPECT_FALSE(bar.ChooseMenuItem("mnuNew", "closeAll")) << "not on this button's menu";
    EXPECT_FALSE(bar.ChooseMenuItem("mnuInfo", "newTab"));
    EXPECT_FALSE(bar.Click("")) << "the separator is no button";
    EXPECT_FALSE(bar.Click("mnuGone"));
    bar.SetButtonEnabled("mnuTabDel", false);
    bar.SetButtonEnabled("mnuNew", false);
    EXPECT_FALSE(bar.Click("mnuTabDel")) << "a disabled button cannot be clicked";
    EXPECT_FALSE(bar.ChooseMenuItem("mnuNew", "newMap")) << "a disabled button opens no menu";

    EXPECT_EQ(sink.log, (std::vector<std::string>{"button mnuTabDel", "item newTab"}));
    EXPECT_EQ(ErrorOf([&] { bar.SetButtonEnabled("mnuOk", true); }), err::kElementNotFound);
    EXPECT_EQ(ErrorOf([&] { bar.ButtonEnabled(""); }), err::kElementNotFound);
}

void FillSheetMenu(HeadlessPopupMenu& menu) {
    menu.ClearItems();
    menu.AddItem("Gehe zu..", "mnu8", 6923, true);
    menu.AddItem("Blattschutz aufheben", "mnu10", 6931, true);
    menu.SetItemChecked("mnu10", true);
    menu.AddItem("Registerfarbe", "mnu11", 6915, false);
    menu.AddItem("-", "", std::nullopt, true);
    menu.AddItem("Löschen", "mnu15", 6607, true);
}

TEST(HeadlessPopupMenu, ScriptedAnswersComeInOrderAndChoicesAUserCannotMakeAreScriptMistakes) {
    HeadlessPopupMenu menu;
    FillSheetMenu(menu);
    menu.ChooseNextByCaption("Löschen");
    menu.DismissNext();
    EXPECT_EQ(menu.ShowPopup(-1, -1), 5);
    EXPECT_EQ(menu.ItemKey(5), "mnu15");
    EXPECT_EQ(menu.ShowPopup(-1, -1), HeadlessPopupMenu::kDismissed);
    EXPECT_EQ(menu.ShowPopup(-1, -1), HeadlessPopupMenu::kDismissed) << "nothing scripted: dismissed";
    EXPECT_EQ(menu.LastShown().Captions(),
              (std::vector<std::string>{"Gehe zu..", "Blattschutz aufheben", "Registerfarbe", "-", "Löschen"}));
    EXPECT_TRUE(menu.LastShown().items[1].checked);

    menu.ChooseNextByCaption("Registerfarbe");  // disabled
    menu.ChooseNext(4);                          // the separator
    menu.ChooseNext(9);                          // beyond the last item
    menu.ChooseNextByCaption("Umbennen");        // not in this menu
    for (int i = 0; i < 4; ++i) EXPECT_THROW(menu.ShowPopup(-1, -1), ScriptError);
    EXPECT_EQ(menu.ScriptErrors().size(), 4u) << "kept for handlers that swallow failures";
    EXPECT_EQ(menu.History().size(), 7u);
    EXPECT_EQ(ErrorOf([&] { menu.ItemKey(0); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { menu.ItemKey(6); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { menu.SetItemChecked("mnu99", true); }), err::kElementNotFound);
}

}  // namespace
}  // namespace brackwell::headless

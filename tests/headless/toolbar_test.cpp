// Scripting the headless toolbar: a script can do only what a user could.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/headless_toolbar.h"
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

}  // namespace
}  // namespace brackwell::headless

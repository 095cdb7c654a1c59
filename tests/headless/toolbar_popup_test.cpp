// Scripting and inspecting the headless toolbar, popup menu and drag data
// object.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "adapters/headless/headless_data_object.h"
#include "adapters/headless/headless_popup_menu.h"
#include "adapters/headless/headless_toolbar.h"
#include "adapters/headless/script_error.h"
#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

ToolbarButton MakeButton(const std::string& key, std::int32_t style, const std::string& text = "") {
    ToolbarButton button;
    button.key = key;
    button.style = style;
    button.text = text;
    return button;
}

ToolbarDesign SmallBar() {
    ToolbarDesign design;
    ToolbarButton create = MakeButton("mnuNew", toolbar_style::kDropDown, "Neu");
    create.menu = {{"newMap", "Arbeitsmappe", 6800, true}, {"newTab", "Tabellenblatt", 6601, true}};
    design.buttons.push_back(create);
    design.buttons.push_back(MakeButton("mnuTabDel", toolbar_style::kPlain));
    design.buttons.push_back(MakeButton("", toolbar_style::kSeparator));
    design.buttons.push_back(MakeButton("mnuInfo", toolbar_style::kPlain));
    return design;
}

class ClickLog final : public ToolbarEvents {
public:
    void ButtonClick(const std::string& key) override { log.push_back("button " + key); }
    void MenuItemClick(const std::string& key) override { log.push_back("item " + key); }
    std::vector<std::string> log;
};

std::int32_t ErrorNumberOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.Number();
    }
    return 0;
}

TEST(HeadlessToolbar, ClicksReachTheHandlersOnlyOnEnabledButtons) {
    HeadlessToolbar bar(SmallBar());
    ClickLog sink;
    const auto connection = bar.Advise(sink);

    EXPECT_TRUE(bar.Click("mnuTabDel"));
    bar.SetButtonEnabled("mnuTabDel", false);
    EXPECT_FALSE(bar.ButtonEnabled("mnuTabDel"));
    EXPECT_FALSE(bar.Click("mnuTabDel")) << "a disabled button cannot be clicked";
    EXPECT_FALSE(bar.Click("")) << "the separator is no button";
    EXPECT_FALSE(bar.Click("mnuGone"));
    EXPECT_TRUE(bar.Click("mnuNew"));

    EXPECT_EQ(sink.log, (std::vector<std::string>{"button mnuTabDel", "button mnuNew"}));
}

TEST(HeadlessToolbar, MenuItemsAreChosenFromTheirButtonsMenu) {
    HeadlessToolbar bar(SmallBar());
    ClickLog sink;
    const auto connection = bar.Advise(sink);

    EXPECT_TRUE(bar.ChooseMenuItem("mnuNew", "newTab"));
    EXPECT_FALSE(bar.ChooseMenuItem("mnuNew", "closeAll")) << "not on this button's menu";
    EXPECT_FALSE(bar.ChooseMenuItem("mnuInfo", "newTab"));
    bar.SetButtonEnabled("mnuNew", false);
    EXPECT_FALSE(bar.ChooseMenuItem("mnuNew", "newMap")) << "a disabled button opens no menu";

    EXPECT_EQ(sink.log, (std::vector<std::string>{"item newTab"}));
}

TEST(HeadlessToolbar, UnknownButtonKeysFailAsTheControlDoes) {
    HeadlessToolbar bar(SmallBar());
    EXPECT_EQ(ErrorNumberOf([&] { bar.SetButtonEnabled("mnuOk", true); }), err::kElementNotFound);
    EXPECT_EQ(ErrorNumberOf([&] { bar.ButtonEnabled(""); }), err::kElementNotFound);
    EXPECT_TRUE(bar.ButtonEnabled("mnuInfo")) << "buttons start enabled";
}

TEST(HeadlessToolbar, KeepsTheLookAndFontsTheComponentSets) {
    ToolbarDesign design = SmallBar();
    design.look.height = 450;
    HeadlessToolbar bar(design);
    EXPECT_EQ(bar.ButtonFont().face, "Verdana");
    EXPECT_EQ(bar.MenuFont().face, "MS Sans Serif");

    bar.SetVisualStyle(3);
    bar.SetButtonFontName("Tahoma");
    bar.SetButtonFontSize(8);
    bar.SetMenuFontName("Verdana");
    bar.SetMenuFontSize(9);

    EXPECT_EQ(bar.VisualStyle(), 3);
    EXPECT_EQ(bar.ButtonFont().face, "Tahoma");
    EXPECT_EQ(bar.ButtonFont().size, 8);
    EXPECT_EQ(bar.MenuFont().face, "Verdana");
    EXPECT_EQ(bar.MenuFont().size, 9);
    EXPECT_EQ(bar.Height(), 450);
    EXPECT_EQ(bar.Button("mnuNew")->text, "Neu");
    EXPECT_EQ(bar.Design().buttons.size(), 4u);
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

TEST(HeadlessPopupMenu, ShowingRecordsTheMenuAsTheUserSawIt) {
    HeadlessPopupMenu menu;
    menu.SetVisualStyle(4);
    menu.SetFont("Verdana", 9);
    FillSheetMenu(menu);

    EXPECT_EQ(menu.ShowPopup(-1, -1), HeadlessPopupMenu::kDismissed) << "nothing scripted: dismissed";

    const ShownPopup& shown = menu.LastShown();
    EXPECT_EQ(shown.Captions(),
              (std::vector<std::string>{"Gehe zu..", "Blattschutz aufheben", "Registerfarbe", "-", "Löschen"}));
    EXPECT_TRUE(shown.items[1].checked);
    EXPECT_FALSE(shown.items[2].enabled);
    EXPECT_TRUE(shown.items[3].IsSeparator());
    EXPECT_EQ(shown.items[4].image, 6607);
    EXPECT_EQ(shown.visualStyle, 4);
    EXPECT_EQ(shown.fontFace, "Verdana");
    EXPECT_EQ(shown.fontSize, 9);
    EXPECT_EQ(shown.x, -1);
}

TEST(HeadlessPopupMenu, ScriptedAnswersAreGivenInOrder) {
    HeadlessPopupMenu menu;
    FillSheetMenu(menu);
    menu.ChooseNextByCaption("Löschen");
    menu.DismissNext();
    menu.ChooseNext(1);

    EXPECT_EQ(menu.ShowPopup(-1, -1), 5);
    EXPECT_EQ(menu.ItemKey(5), "mnu15");
    EXPECT_EQ(menu.ShowPopup(-1, -1), 0);
    EXPECT_EQ(menu.ShowPopup(-1, -1), 1);
    EXPECT_EQ(menu.PendingAnswers(), 0u);
    ASSERT_EQ(menu.History().size(), 3u);
    EXPECT_EQ(menu.History()[0].answer, 5);
}

TEST(HeadlessPopupMenu, ChoicesAUserCannotMakeAreScriptMistakes) {
    HeadlessPopupMenu menu;
    FillSheetMenu(menu);
    menu.ChooseNextByCaption("Registerfarbe");  // disabled
    menu.ChooseNext(4);                          // the separator
    menu.ChooseNext(9);                          // beyond the last item
    menu.ChooseNextByCaption("Umbennen");        // not in this menu

    for (int i = 0; i < 4; ++i) EXPECT_THROW(menu.ShowPopup(-1, -1), ScriptError);
    EXPECT_EQ(menu.ScriptErrors().size(), 4u) << "kept for handlers that swallow failures";
    EXPECT_EQ(menu.History().size(), 4u);
}

TEST(HeadlessPopupMenu, ItemLookUpsFailAsTheControlDoes) {
    HeadlessPopupMenu menu;
    FillSheetMenu(menu);
    EXPECT_EQ(ErrorNumberOf([&] { menu.ItemKey(0); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { menu.ItemKey(6); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorNumberOf([&] { menu.SetItemChecked("mnu99", true); }), err::kElementNotFound);
    EXPECT_EQ(menu.ItemKey(4), "");
    menu.ClearItems();
    EXPECT_TRUE(menu.Items().empty());
    EXPECT_THROW(HeadlessPopupMenu().LastShown(), ScriptError);
}

TEST(HeadlessDataObject, HoldsTextOnly) {
    HeadlessDataObject data;
    EXPECT_FALSE(data.GetFormat(vb::kTextFormat));
    EXPECT_EQ(ErrorNumberOf([&] { data.GetData(vb::kTextFormat); }), kFormatMismatch);

    data.SetData("wb2|3", vb::kTextFormat);
    EXPECT_TRUE(data.GetFormat(vb::kTextFormat));
    EXPECT_EQ(data.GetData(vb::kTextFormat), "wb2|3");
    EXPECT_FALSE(data.GetFormat(2));
    EXPECT_EQ(ErrorNumberOf([&] { data.GetData(2); }), kFormatMismatch);
    EXPECT_EQ(ErrorNumberOf([&] { data.SetData("x", 2); }), kInvalidClipboardFormat);

    data.Clear();
    EXPECT_FALSE(data.GetFormat(vb::kTextFormat));
}

}  // namespace
}  // namespace brackwell::headless

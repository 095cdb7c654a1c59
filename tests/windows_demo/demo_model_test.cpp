// The command bars the demo shows of the host's state.

#include <gtest/gtest.h>

#include "apps/demo/command_bar_buttons.h"
#include "apps/demo/command_bar_dock.h"

namespace brackwell::demo {
namespace {

// Excel shows a bar only while it is visible and not deleted, and no popup
// bar at all; the navigator's own bar shows as the add-in made it.
TEST(CommandBarButtons, ShowTheVisibleBarsInTheirDockAsTheAddInMadeThem) {
    embedded::CommandBarView gone, hidden, popup, left;
    gone.name = "Alt";
    gone.deleted = gone.visible = true;
    gone.buttons.resize(1);
    hidden.name = "Versteckt";  // a new bar is hidden until made visible
    popup.name = "Kontext";
    popup.position = 5;
    popup.visible = true;
    left.name = "BrackwellBar";
    left.position = 0;
    left.visible = true;
    left.buttons.resize(1);
    left.buttons[0] = {"", 7, "...Aktualisieren", 5, true, 215, 20, "UpdateNav"};

    const std::vector<ShownBar> shown = ShownBarsOf({gone, hidden, popup, left});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (ShownBar{"BrackwellBar", DockSide::Left,
                                  {{"BrackwellBar", 1, L"", L"...Aktualisieren", 5, 7, 20, 215, true}}}));
    // Upright, the bar turns its button: 215 across the dock, 20 along it.
    EXPECT_EQ(BarSize(shown[0], DockSide::Left).cx, 215);
    EXPECT_EQ(BarSize(shown[0], DockSide::Left).cy, 20);
}

}  // namespace
}  // namespace brackwell::demo

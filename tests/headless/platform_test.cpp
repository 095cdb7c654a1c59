// The headless pane form: the VB form rules that the component's tests rely
// on; and the portable upper-casing, which agrees with the Windows case
// mapping.

#include "adapters/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace brackwell::headless {
namespace {

class FormLog final : public FormEvents {
public:
    void Form_Resize() override {}
    void Form_Unload() override {
        ++unloads;
        if (onUnload) onUnload();
    }
    int unloads = 0;
    std::function<void()> onUnload;
};

struct PaneForm : ::testing::Test {
    HeadlessNavForm& Headless() { return *platform.NavForm(); }

    HeadlessPlatform platform;
    FormLog events;
    std::unique_ptr<NavFormWindow> form = platform.CreateNavForm(ToolbarDesign{}, events);
};

TEST_F(PaneForm, ALockedFormHoldsTheTreesRebuildBackToOnePaint) {
    HeadlessTree& tree = Headless().TreeControl();
    const std::int32_t before = tree.PaintCount();

    platform.HeadlessWindows().LockWindowUpdate(form->Hwnd());
    tree.Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1", 1);
    tree.Nodes().Add("wb1", TreeRelationship::Child, "wb1|1", "Tabelle1", 2)->SetSelected(true);
    EXPECT_EQ(tree.PaintCount(), before) << "nothing is drawn while the window is locked";

    platform.HeadlessWindows().LockWindowUpdate(0);
    EXPECT_EQ(tree.PaintCount(), before + 1);
}

TEST_F(PaneForm, ClosingFromOutsideRunsUnloadOnceWhereDestroyingRunsNothingAndKeepsTheTree) {
    const std::shared_ptr<TreeView> tree = form->Tree();
    form.reset();
    EXPECT_EQ(events.unloads, 0);
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_NO_THROW(tree->Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1", 1))
        << "a tree kept by a caller outlives its form";

    form = platform.CreateNavForm(ToolbarDesign{}, events);
    const WindowHandle hwnd = form->Hwnd();
    Headless().CloseFromOutside();
    Headless().CloseFromOutside();  // a closed window cannot be closed again
    EXPECT_EQ(events.unloads, 1);
    EXPECT_FALSE(platform.HeadlessWindows().Exists(hwnd));

    form = platform.CreateNavForm(ToolbarDesign{}, events);
    events.onUnload = [this] { form.reset(); };  // the handler may destroy the form
    Headless().CloseFromOutside();
    EXPECT_EQ(events.unloads, 2);
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_EQ(platform.HeadlessWindows().Children(0).size(), 0u);
}

// Every letter with a capital gets it, one letter for one: ß stays, as the
// Windows case mapping leaves it; what is no letter or no valid UTF-8 stays.
TEST(HeadlessSystem, UpperCasesEveryScriptAsWindowsDoes) {
    HeadlessSystem system;
    EXPECT_EQ(system.UpperCase("Ωμέγα ς привет ёж ǆ ǅ ő ÿ übersicht straße 売上 q1 \xFF"),
              "ΩΜΈΓΑ Σ ПРИВЕТ ЁЖ Ǆ Ǆ Ő Ÿ ÜBERSICHT STRAßE 売上 Q1 \xFF");
    // Capitals and small letters alternating code point by code point, and
    // small letters whose capitals lie far away or beyond U+FFFF.
    EXPECT_EQ(system.UpperCase("ĀāĂăĄą აბგ ꭰꮿ 𐐨𐑏"), "ĀĀĂĂĄĄ ᲐᲑᲒ ᎠᏯ 𐐀𐐧");
}

}  // namespace
}  // namespace brackwell::headless

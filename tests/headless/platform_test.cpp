// The headless pane form, user interface and the platform that bundles them.

#include "adapters/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "adapters/headless/memory_settings_store.h"

namespace brackwell::headless {
namespace {

ToolbarDesign OneButtonBar() {
    ToolbarDesign design;
    design.buttons.emplace_back().key = "mnuInfo";
    return design;
}

// Lays the tree out below the toolbar on every resize, as the pane form does.
class FormLog final : public FormEvents {
public:
    void Form_Resize() override {
        ++resizes;
        if (!form) return;
        const std::int32_t h = form->Bar()->Height();
        form->Tree()->Move(50, h + 50, form->ScaleWidth() - 100, form->ScaleHeight() - (h + 100));
    }
    void Form_Unload() override {
        ++unloads;
        if (onUnload) onUnload();
    }

    NavFormWindow* form = nullptr;
    int resizes = 0;
    int unloads = 0;
    std::function<void()> onUnload;
};

struct PaneForm : ::testing::Test {
    PaneForm() {
        form = platform.CreateNavForm(OneButtonBar(), events);
        events.form = form.get();
    }
    HeadlessNavForm& Headless() { return *platform.NavForm(); }

    HeadlessPlatform platform;
    FormLog events;
    std::unique_ptr<NavFormWindow> form;
};

TEST_F(PaneForm, TheFormIsAHiddenThunderFormWindowUntilShown) {
    HeadlessWindowSystem& windows = platform.HeadlessWindows();
    EXPECT_EQ(windows.ClassName(form->Hwnd()), "ThunderFormDC");
    EXPECT_FALSE(windows.IsVisible(form->Hwnd()));
    EXPECT_EQ(platform.NavForm(), form.get());

    form->Show();
    form->Show();
    EXPECT_TRUE(Headless().Visible());
    EXPECT_EQ(events.resizes, 1) << "a form resizes when it is first displayed, once";
}

TEST_F(PaneForm, AHeightChangeRunsResizeAndTheTreeFollows) {
    form->SetHeight(657);

    EXPECT_EQ(events.resizes, 1);
    EXPECT_EQ(form->Height(), 657);
    EXPECT_EQ(form->ScaleHeight(), 657 * kTwipsPerPixel);
    EXPECT_EQ(form->ScaleWidth(), HeadlessNavForm::kInitialWidth * kTwipsPerPixel);
    const HeadlessTree::Bounds& tree = Headless().TreeControl().Position();
    EXPECT_EQ(tree.top, 420 + 50);
    EXPECT_EQ(tree.height, 657 * 15 - 520);

    form->SetHeight(657);
    EXPECT_EQ(events.resizes, 1) << "the same height again is no resize";
}

TEST_F(PaneForm, MovingTheWindowFromOutsideAlsoRunsResize) {
    HeadlessWindowSystem& windows = platform.HeadlessWindows();
    const WindowHandle dock = windows.NewWindow("EXCEL2", "", 0, 0, 100, 240, 700);
    windows.SetParent(form->Hwnd(), dock);

    windows.MoveWindow(form->Hwnd(), 1, 40, 215, 657, true);

    EXPECT_EQ(events.resizes, 1);
    EXPECT_EQ(form->ScaleWidth(), 215 * 15);
    EXPECT_EQ(Headless().TreeControl().Position().width, 215 * 15 - 100);
    EXPECT_EQ(windows.FindChild(dock, "ThunderFormDC", std::nullopt), form->Hwnd());
}

TEST_F(PaneForm, ZOrderZeroBringsTheFormInFrontOfItsSiblings) {
    HeadlessWindowSystem& windows = platform.HeadlessWindows();
    const WindowHandle dock = windows.NewWindow("EXCEL2", "", 0, 0, 0, 240, 700);
    windows.SetParent(form->Hwnd(), dock);
    const WindowHandle bar = windows.NewWindow("MsoCommandBar", "BrackwellBar", dock, 0, 0, 24, 700);
    windows.BringToFront(bar);

    form->ZOrder(0);
    EXPECT_EQ(windows.Children(dock).front(), form->Hwnd());
    form->ZOrder(1);
    EXPECT_EQ(windows.Children(dock).back(), form->Hwnd());
}

TEST_F(PaneForm, ALockedFormHoldsTheTreesRebuildBackToOnePaint) {
    HeadlessWindowSystem& windows = platform.HeadlessWindows();
    HeadlessTree& tree = Headless().TreeControl();
    const std::int32_t before = tree.PaintCount();

    windows.LockWindowUpdate(form->Hwnd());
    tree.Nodes().Clear();
    tree.Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1", 1);
    tree.Nodes().Add("wb1", TreeRelationship::Child, "wb1|1", "Tabelle1", 2)->SetSelected(true);
    tree.BeginUpdate();
    tree.EndUpdate();
    EXPECT_EQ(tree.PaintCount(), before) << "nothing is drawn while the window is locked";

    windows.LockWindowUpdate(0);
    EXPECT_EQ(tree.PaintCount(), before + 1);
}

TEST_F(PaneForm, ClosingFromOutsideRunsUnloadAndTheWindowIsGone) {
    const WindowHandle hwnd = form->Hwnd();
    Headless().CloseFromOutside();

    EXPECT_EQ(events.unloads, 1);
    EXPECT_TRUE(Headless().Closed());
    EXPECT_FALSE(platform.HeadlessWindows().Exists(hwnd));
    Headless().CloseFromOutside();
    EXPECT_EQ(events.unloads, 1) << "a closed window cannot be closed again";
}

TEST_F(PaneForm, AnUnloadHandlerMayDestroyTheFormItself) {
    events.onUnload = [this] { form.reset(); };
    Headless().CloseFromOutside();

    EXPECT_EQ(events.unloads, 1);
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_EQ(platform.HeadlessWindows().Children(0).size(), 0u);
}

TEST_F(PaneForm, DestroyingTheFormDestroysItsWindowWithoutEvents) {
    const WindowHandle hwnd = form->Hwnd();
    const std::shared_ptr<TreeView> tree = form->Tree();
    form.reset();

    EXPECT_FALSE(platform.HeadlessWindows().Exists(hwnd));
    EXPECT_EQ(events.unloads, 0);
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_NO_THROW(tree->Nodes().Add("", TreeRelationship::Last, "wb1", "Mappe1", 1))
        << "a tree kept by a caller outlives its form";
}

TEST(HeadlessPlatform, KeepsWhatItCreatedReachable) {
    HeadlessPlatform platform;
    const auto first = platform.CreatePopupMenu();
    const auto second = platform.CreatePopupMenu();
    EXPECT_EQ(platform.LastPopupMenu(), second);
    EXPECT_NE(first, second);
    EXPECT_EQ(platform.PopupMenusCreated(), 2);
    EXPECT_NE(dynamic_cast<MemorySettingsStore*>(&platform.Settings()), nullptr) << "memory store by default";
    EXPECT_EQ(&platform.Ui(), &platform.HeadlessUi());
    EXPECT_EQ(&platform.Windows(), &platform.HeadlessWindows());
}

TEST(HeadlessPlatform, UsesTheSettingsStoreItIsGiven) {
    auto store = std::make_unique<MemorySettingsStore>();
    MemorySettingsStore* chosen = store.get();
    HeadlessPlatform platform(std::move(store));
    platform.Settings().SaveSetting("Brackwell", "Settings", "Drag", "2");
    EXPECT_EQ(chosen->Writes().size(), 1u);
}

TEST(HeadlessUserInterface, BoxesAreRecordedAndInputIsScripted) {
    HeadlessUserInterface ui;
    EXPECT_EQ(ui.MsgBox("Der Name ist schon vergeben.", 48, "Umbenennen"), msgbox::kOk);
    ui.TypeNext("Übersicht");
    ui.CancelNext();

    EXPECT_EQ(ui.InputBox("Neuer Name:", "Umbennen", "Tabelle1"), "Übersicht");
    EXPECT_EQ(ui.InputBox("Neuer Name:", "Umbennen", "Tabelle1"), "");
    EXPECT_EQ(ui.InputBox("Neuer Name:", "Umbennen", "Tabelle1"), "") << "nothing scripted: cancelled";

    ASSERT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui.MessageBoxes()[0].style, 48);
    EXPECT_EQ(ui.MessageBoxes()[0].title, "Umbenennen");
    ASSERT_EQ(ui.InputBoxes().size(), 3u);
    EXPECT_EQ(ui.InputBoxes()[0].defaultText, "Tabelle1");
    EXPECT_EQ(ui.InputBoxes()[0].answer, "Übersicht");
    EXPECT_FALSE(ui.InputBoxes()[1].answer.has_value());
}

TEST(HeadlessUserInterface, DoEventsRunsTheHookAndBeepsAreCounted) {
    HeadlessUserInterface ui;
    int pending = 2;
    ui.SetDoEventsHook([&] {
        // An event handled here lets events in once more, as nested handlers do.
        if (--pending > 0) ui.DoEvents();
    });
    ui.DoEvents();
    ui.Beep();
    ui.Beep();

    EXPECT_EQ(ui.DoEventsCount(), 2);
    EXPECT_EQ(pending, 0);
    EXPECT_EQ(ui.BeepCount(), 2);
}

}  // namespace
}  // namespace brackwell::headless

// Excel 2007 and later: the COM add-in starts the navigator and the pane
// lives in task panes, one per workbook window from Excel 2013 on, moving
// with the active window; Excel 2010 has one; only one navigator per Excel
// shows the pane.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/addin.h"
#include "excel_standin/embedded/embedded_task_panes.h"
#include "pane/ribbon_ui.h"
#include "tests/headless/error_of.h"
#include "tests/native/navigator_fixture.h"

namespace brackwell::testing {
namespace {

class RecordingRibbon final : public Ribbon {
public:
    void InvalidateControl(const std::string& id) override { invalidated.push_back(id); }
    std::vector<std::string> invalidated;
};

class TaskPaneTest : public NavigatorTest {
protected:
    // The host of `version` with a window per workbook from 15 on, whose
    // task panes make their content windows in the headless window system.
    void StartHost(const std::string& version) {
        excel.SetVersion(version);
        ShowHostWindow();
        excel.SetWindowMaker(
            [this](const std::string& caption) {
                const WindowHandle window = Windows().NewWindow("XLMAIN", caption, 0, 0, 0, 1000, 700);
                Windows().SetVisible(window, true);
                return window;
            },
            [this](WindowHandle window) {
                panes->WindowClosing(window);
                Windows().DestroyWindow(window);
            });
        embedded::PaneWindows paneWindows{
            [this](WindowHandle host, std::int32_t width) {
                return Windows().NewWindow("TaskPaneContent", "", host, 0, 30, width, 600);
            },
            [this](WindowHandle content, std::int32_t width) {
                const WindowRect r = Windows().RectInParent(content);
                Windows().MoveWindow(content, r.left, r.top, width, r.bottom - r.top, true);
            },
            [this](WindowHandle content, bool visible) { Windows().SetVisible(content, visible); },
            [this](WindowHandle content) { Windows().DestroyWindow(content); }};
        panes = std::make_shared<embedded::EmbeddedTaskPanes>(excel, paneWindows, mainWindow);
        a = excel.CreateWorkbook("A.xlsx", {"Tabelle1", "Tabelle2"}, "C:\\");
        personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\XLSTART");
        excel.SetWindowVisible(personal, false);
        b = excel.CreateWorkbook("B.xlsx", {"Tabelle1"}, "C:\\");
    }

    void Connect() {
        addin = std::make_shared<AddIn>(component);
        addin->Connect(excel.App());
        addin->RibbonLoaded(ribbon);
        addin->TaskPanesAvailable(panes);
    }

    void ShowHostWindow() {
        CreateHostWindow();
        Windows().SetVisible(mainWindow, true);
        Windows().SetVisible(dockWindow, true);
    }
    headless::HeadlessWindowSystem& Windows() { return platform.HeadlessWindows(); }
    // The content window of the task pane in `window`; 0 without one.
    WindowHandle ContentIn(WindowHandle window) {
        for (const auto& pane : panes->Panes())
            if (pane.hostWindow == window && !pane.deleted) return pane.content;
        return 0;
    }
    WindowHandle FormParent() { return Windows().Parent(component.PaneHwnd); }
    bool FormFills(WindowHandle content) {
        const WindowRect form = Windows().RectInParent(component.PaneHwnd);
        const WindowRect inner = Windows().ClientRectOf(content);
        return FormParent() == content && form.left == 0 && form.top == 0 && form.right == inner.right &&
               form.bottom == inner.bottom;
    }
    std::vector<std::string> RootTexts() {
        std::vector<std::string> texts;
        for (const auto& row : Tree().Rows())
            if (row.depth == 0) texts.push_back(row.text);
        return texts;
    }

    std::shared_ptr<embedded::EmbeddedTaskPanes> panes;
    std::shared_ptr<RecordingRibbon> ribbon = std::make_shared<RecordingRibbon>();
    std::shared_ptr<AddIn> addin;
    WorkbookPtr a, b, personal;
};

TEST_F(TaskPaneTest, Excel2016GivesEveryWindowATaskPaneAndThePaneMovesWithTheActiveWindow) {
    StartHost("16.0");
    addin = std::make_shared<AddIn>(component);
    addin->Connect(excel.App());
    EXPECT_EQ(platform.NavFormsCreated(), 0);  // the pane waits for the task panes
    addin->RibbonLoaded(ribbon);
    addin->TaskPanesAvailable(panes);

    // At once the active window has its task pane with the form; once
    // Excel's call has returned, every visible window has one, titled and
    // docked at 215 pixels (in points). No command bar.
    EXPECT_TRUE(excel.CommandBarsView().empty());
    EXPECT_EQ(panes->LivePanes(), 1u);
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(b))));
    platform.HeadlessUi().RunPostedTasks();
    ASSERT_EQ(panes->LivePanes(), 2u);
    for (const auto& pane : panes->Panes()) {
        EXPECT_EQ(pane.title, "Brackwell");
        EXPECT_EQ(pane.widthPoints, 161);
        EXPECT_TRUE(pane.visible);
        EXPECT_NE(pane.hostWindow, excel.WindowOf(personal));
    }
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(b))));
    EXPECT_TRUE(Windows().IsOnScreen(component.PaneHwnd));
    EXPECT_EQ(RootTexts(), (std::vector<std::string>{"A.xlsx", "B.xlsx"}));
    EXPECT_TRUE(addin->NavigatorPressed());
    EXPECT_FALSE(ribbon->invalidated.empty());

    // Activating A moves the same form (same tree) into A's task pane.
    const WindowHandle form = component.PaneHwnd;
    a->Activate();
    EXPECT_EQ(component.PaneHwnd, form);
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(a))));

    // A new workbook's window gets its task pane and the form; closing it
    // takes its window and task pane, never the form, which goes on to the
    // window activated next.
    const WorkbookPtr added = excel.App()->Workbooks()->Add();
    const WindowHandle addedWindow = excel.WindowOf(added);
    EXPECT_EQ(panes->LivePanes(), 3u);
    EXPECT_TRUE(FormFills(ContentIn(addedWindow)));
    added->Close(false);
    EXPECT_FALSE(Windows().Exists(addedWindow));
    ASSERT_NE(platform.NavForm(), nullptr);
    EXPECT_FALSE(platform.NavForm()->Closed());
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(a))));
    EXPECT_EQ(panes->LivePanes(), 2u);
    EXPECT_EQ(RootTexts(), (std::vector<std::string>{"A.xlsx", "B.xlsx"}));

    // The user's close box in one window hides the pane in all and is kept;
    // the ribbon's toggle brings it back.
    ribbon->invalidated.clear();
    panes->UserCloses(excel.WindowOf(a));
    for (const auto& pane : panes->Panes()) EXPECT_FALSE(pane.visible);
    EXPECT_FALSE(addin->NavigatorPressed());
    EXPECT_EQ(ribbon->invalidated, (std::vector<std::string>{ribbon::kToggleId}));
    EXPECT_EQ(Store().GetSetting("Brackwell", "Settings", "PaneVisible", "?"), "False");
    addin->ToggleNavigator(true);
    EXPECT_EQ(panes->LivePanes(), 2u);
    for (const auto& pane : panes->Panes()) {
        EXPECT_TRUE(pane.deleted || pane.visible);
    }
    EXPECT_EQ(Store().GetSetting("Brackwell", "Settings", "PaneVisible", "?"), "True");

    // The form follows the task pane's width.
    panes->UserResizes(excel.WindowOf(a), 300);
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(a))));
    EXPECT_EQ(Windows().RectInParent(component.PaneHwnd).right, 300);
    panes->UserResizes(excel.WindowOf(b), 250);  // another window's task pane: the form stays
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(a))));

    // The last workbooks closed take their task panes once the host's
    // events have returned, and never the form.
    b->Close(false);
    a->Close(false);
    platform.HeadlessUi().RunPostedTasks();
    EXPECT_EQ(panes->LivePanes(), 0u);
    EXPECT_TRUE(Windows().Exists(component.PaneHwnd));

    // Disconnecting lets go of the host.
    EXPECT_TRUE(addin->Disconnect());
    EXPECT_EQ(platform.NavForm(), nullptr);
    EXPECT_EQ(excel.AttachedSinkCount(), 0u);
    EXPECT_EQ(component.PaneOwner, nullptr);
}

TEST_F(TaskPaneTest, AHiddenChoiceIsKeptAcrossStartsAndExcel2010HasOneTaskPane) {
    StoreSetting("PaneVisible", "False");
    StartHost("14.0");
    Connect();
    ASSERT_EQ(panes->LivePanes(), 1u);
    EXPECT_EQ(panes->Panes()[0].hostWindow, mainWindow);
    EXPECT_FALSE(panes->Panes()[0].visible);
    EXPECT_FALSE(addin->NavigatorPressed());

    addin->ToggleNavigator(true);
    a->Activate();
    excel.App()->Workbooks()->Add();
    EXPECT_EQ(panes->Created(), 1);
    EXPECT_TRUE(FormFills(panes->Panes()[0].content));
    EXPECT_EQ(RootTexts(), (std::vector<std::string>{"A.xlsx", "B.xlsx", "Mappe1"}));
}

TEST_F(TaskPaneTest, OneNavigatorPerExcelShowsThePane) {
    // Excel 2003 with the host-side module's pane: the add-in's start is
    // declined quietly, and its stop leaves the module's pane alone.
    excel.CreateWorkbook("Mappe1", {"Tabelle1"});
    ShowHostWindow();
    Attach().CreateNavBar();
    addin = std::make_shared<AddIn>(component);
    addin->Connect(excel.App());
    EXPECT_EQ(excel.CommandBarsView().size(), 1u);
    EXPECT_EQ(platform.NavFormsCreated(), 1);
    EXPECT_TRUE(addin->Disconnect());
    ASSERT_NE(platform.NavForm(), nullptr);
    EXPECT_TRUE(Windows().IsOnScreen(component.PaneHwnd));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(TaskPaneTest, InExcel2016TheModulesNavigatorShowsNothingAndTheAddInsDoes) {
    StartHost("16.0");
    Wayfinder& module = Attach();
    module.CreateNavBar();
    EXPECT_TRUE(excel.CommandBarsView().empty());
    EXPECT_EQ(platform.NavFormsCreated(), 0);
    Connect();
    platform.HeadlessUi().RunPostedTasks();
    EXPECT_EQ(panes->LivePanes(), 2u);
    EXPECT_TRUE(FormFills(ContentIn(excel.WindowOf(b))));
    nav.reset();  // the module closes: the add-in's pane stays
    ASSERT_NE(platform.NavForm(), nullptr);
    EXPECT_TRUE(Windows().IsOnScreen(component.PaneHwnd));
}

TEST_F(TaskPaneTest, RefusedTaskPanesAndAStopWhileTheUsersMenuIsOpen) {
    StartHost("16.0");
    EXPECT_EQ(test_support::ErrorOf([&] { AddIn(component).Connect(nullptr); }), err::kObjectNotSet);

    // Task panes refused: one message, nothing else.
    panes->RefuseCreation(true);
    Connect();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].title, "CreateNavBar 311");
    b->Activate();
    a->Activate();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(addin->Disconnect());

    // Excel unloads the add-in while the user's node menu is open: the menu
    // is cancelled, and the stop waits until the menu's command has returned.
    panes->RefuseCreation(false);
    Connect();
    bool stopped = false;
    bool deferred = false;
    Menu().WhileOpenNext([&] { deferred = !addin->Disconnect([&] { stopped = true; }); });
    Tree().Press("wb1", vb::kRightButton);
    EXPECT_TRUE(deferred);
    EXPECT_EQ(platform.HeadlessUi().ModalCancels(), 1);
    EXPECT_FALSE(stopped);
    addin.reset();  // Excel lets go of the add-in meanwhile
    platform.HeadlessUi().RunPostedTasks();
    EXPECT_TRUE(stopped);
    EXPECT_EQ(panes->LivePanes(), 0u);
    EXPECT_EQ(excel.AttachedSinkCount(), 0u);
}

}  // namespace
}  // namespace brackwell::testing

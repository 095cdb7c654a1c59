#pragma once
// Wayfinder: the navigator, the one object the host side creates.
//
// The host side's calls, in order:
//   1. create the navigator (the user settings are loaded; a stored setting
//      that cannot be read makes the creation fail);
//   2. write mExcel with the host application: the navigator follows the
//      host's application events from then on and records its version;
//   3. CreateNavBar: the command bar "BrackwellBar" and the docked pane
//      appear, and the tree is filled;
//   4. SizeOn whenever the host window changes size; UpdateTree when the
//      command-bar button's macro "UpdateNav" runs;
//   5. DelNavBar when the add-in closes; destroying the navigator does the
//      same and detaches it from the host's events.
// Excel 2007 and later have no command-bar dock: there the COM add-in hands
// the navigator the host's task panes (UseTaskPanes) before CreateNavBar,
// which then puts the pane into a task pane of every workbook window and
// adds no command bar; a navigator without them (the host-side module's)
// shows nothing there. Of two navigators in one Excel only the first to
// call CreateNavBar shows the pane; the second's call does nothing.
// Every member runs on the host's user-interface thread and reports its own
// failures (a message box, or nothing); none throws, except where noted.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/component.h"
#include "host/excel.h"
#include "host/task_panes.h"
#include "host/toolbar.h"
#include "host/tree_view.h"

namespace brackwell {

class TaskPaneDock;

class Wayfinder {
public:
    // Creates the shared popup menu and loads the settings. Throws
    // AutomationError when a stored setting cannot be converted.
    explicit Wayfinder(Component& component);
    ~Wayfinder();
    Wayfinder(const Wayfinder&) = delete;
    Wayfinder& operator=(const Wayfinder&) = delete;

    const ApplicationPtr& mExcel() const { return application_; }
    // Stores the host, attaches to its events and records its version. The
    // host is kept even when it offers no events; that failure (or one
    // reading the version) is thrown afterwards for the caller to report.
    void set_mExcel(const ApplicationPtr& appExcel);

    void SizeOn();
    void CreateNavBar();
    void DelNavBar();

    // Excel 2007 and later: where the pane lives. `shownChanged` runs when
    // the user's choice to show or hide the pane may read differently.
    void UseTaskPanes(std::shared_ptr<TaskPaneFactory> factory, std::function<void()> shownChanged);
    TaskPaneDock* TaskPanes() const { return dock_.get(); }
    // Rebuilds the tree from the host's state; with bClear only empties it.
    void UpdateTree(bool bClear = false);
    // Puts a shortcut to the saved workbook `Wb` on the user's desktop and
    // says so in a message box (or why not).
    void CreateLink(const WorkbookPtr& Wb);

    // The event-hooked references.
    const ApplicationPtr& oExcel() const { return oExcel_; }
    void set_oExcel(const ApplicationPtr& app);  // throws when the host offers no events
    // Assigning attaches the navigator to the control's events and detaches
    // it from the previous one (an empty reference detaches).
    const std::shared_ptr<TreeView>& oTree() const { return oTree_; }
    void set_oTree(const std::shared_ptr<TreeView>& tree);
    const std::shared_ptr<Toolbar>& oClb() const { return oClb_; }
    void set_oClb(const std::shared_ptr<Toolbar>& bar);

private:
    class HostEvents;
    class TreeEventsSink;
    class ToolbarEventsSink;

    void RefreshTree() { UpdateTree(false); }
    void OnWorkbookDeactivate();
    void OnWorkbookAppeared(const WorkbookPtr& wb);
    void OnWindowActivate(const WindowPtr& wn);
    void CreateTaskPaneNavBar();
    std::int16_t CountVisibleWorkbooks();

    // A press in the tree: selects, activates or opens the node's menu.
    void NodeMouseDown(std::int16_t Button, std::int16_t Shift, float x, float y);
    void ShowPaneMenu();
    // The host's file-open dialog with several files allowed; opens each.
    void OpenWorkbooks();
    void ShowAbout();

    // The toolbar's two events.
    void clbMain_ButtonClick(const std::string& key);
    void clbMain_MenuItemClick(const std::string& key);
    void CloseAllWorkbooks(const std::string& key);
    void ShowOptions();

    // Sheet drag and drop in the tree.
    void OLEStartDrag(DataObject& Data, std::int32_t& AllowedEffects);
    void OLEDragOver(DataObject& Data, std::int32_t& Effect, std::int16_t Button, std::int16_t Shift,
                     float x, float y, std::int16_t State);
    void OLEDragDrop(DataObject& Data, std::int32_t& Effect, std::int16_t Button, std::int16_t Shift,
                     float x, float y);
    std::int32_t AskDropAction();

    Component& component_;
    ApplicationPtr application_;
    ApplicationPtr oExcel_;
    std::unique_ptr<HostEvents> hostEvents_;
    std::unique_ptr<EventConnection> oExcelConnection_;
    std::shared_ptr<TreeView> oTree_;
    std::unique_ptr<TreeEventsSink> treeEvents_;
    std::unique_ptr<EventConnection> oTreeConnection_;
    std::shared_ptr<Toolbar> oClb_;
    std::unique_ptr<ToolbarEventsSink> toolbarEvents_;
    std::unique_ptr<EventConnection> oClbConnection_;
    CommandBarPtr NavBar_;
    CommandBarButtonPtr NavButton_;
    std::shared_ptr<TaskPaneFactory> taskPaneFactory_;
    std::function<void()> paneShownChanged_;
    std::unique_ptr<TaskPaneDock> dock_;
};

}  // namespace brackwell

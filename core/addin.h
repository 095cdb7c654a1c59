#pragma once
// The COM add-in's side of Brackwell: what Excel 2000 and later load from
// their list of COM add-ins, in place of the host-side module. Excel's calls,
// in order:
//   1. Connect (OnConnection) with its Application: the navigator starts as
//      the module starts it, mExcel and then CreateNavBar. Excel 2003 and
//      older get the command bar and the docked pane at once; Excel 2007 and
//      later have no dock, so the pane waits for the task panes;
//   2. CustomUi (GetCustomUI) and RibbonLoaded (onLoad), 2007 and later;
//   3. TaskPanesAvailable (CTPFactoryAvailable), 2007 and later: the pane
//      appears in a task pane of each workbook window;
//   4. the ribbon's callbacks while Excel runs;
//   5. Disconnect (OnBeginShutdown, OnDisconnection): the pane, the task
//      panes and the navigator go, and every host reference is released.
// Every member runs on the host's user-interface thread; none throws except
// Connect, when the navigator cannot start at all.

#include <functional>
#include <memory>
#include <string>

#include "core/component.h"
#include "host/excel.h"
#include "host/task_panes.h"

namespace brackwell {

class Wayfinder;

class AddIn final : public std::enable_shared_from_this<AddIn> {
public:
    explicit AddIn(Component& component);
    ~AddIn();  // stops the navigator if Disconnect has not
    AddIn(const AddIn&) = delete;
    AddIn& operator=(const AddIn&) = delete;

    // Starts the navigator on `application`. Throws AutomationError when
    // there is no application or the user's settings cannot be read; a
    // failure after that is the pane's own to report.
    void Connect(const ApplicationPtr& application);
    void TaskPanesAvailable(std::shared_ptr<TaskPaneFactory> factory);
    void RibbonLoaded(std::shared_ptr<Ribbon> ribbon);

    // Stops the navigator and releases the host. True when that is done;
    // false when a call into the component is still running (the user's
    // menu or dialog is open and Excel unloads the add-in meanwhile): the
    // open menus and dialogs are cancelled, the pane is hidden, and the
    // rest follows from the message loop once no call is left, after which
    // `stopped` runs. Calling it again does nothing more.
    bool Disconnect(std::function<void()> stopped = {});
    bool Running() const { return navigator_ != nullptr; }

    // The ribbon.
    static std::string CustomUi();
    bool NavigatorPressed();
    void ToggleNavigator(bool pressed);
    void Refresh();

    Wayfinder* Navigator() const { return navigator_.get(); }

private:
    void StartPane();
    void InvalidateToggle();
    void StopWhenIdle(std::function<void()> stopped);
    void Stop() noexcept;

    Component& component_;
    std::unique_ptr<Wayfinder> navigator_;
    std::shared_ptr<TaskPaneFactory> taskPanes_;
    std::shared_ptr<Ribbon> ribbon_;
    bool stopping_ = false;
};

}  // namespace brackwell

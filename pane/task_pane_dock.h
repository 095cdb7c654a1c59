#pragma once
// The pane in Excel 2007 and later, which have no command-bar dock to put it
// in: the pane form lives in a custom task pane titled "Brackwell" at the
// window's left edge, 215 pixels wide, filling the task pane's content
// window and following its size.
//
// Excel 2013 and later give every workbook a top-level window of its own,
// each with its own task panes: every visible window gets one as it
// appears, and the one pane form (its tree, selection, scrolling) moves
// into the active window's, so every window shows the same navigator. A
// window's task pane goes with its window; the form leaves a content window
// that is being destroyed, so closing a workbook never destroys the pane.
// Excel 2007 and 2010 have one main window and get one task pane.
//
// Whether the pane shows is the user's one choice for all windows: the
// ribbon's toggle and each task pane's close box set it, and it is kept in
// the settings store.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/component.h"
#include "host/excel.h"
#include "host/task_panes.h"

namespace brackwell {

class TaskPaneDock final : private TaskPaneEvents {
public:
    // `shownChanged` runs whenever the choice may read differently (the
    // ribbon's toggle asks again).
    TaskPaneDock(Component& component, ApplicationPtr host, std::shared_ptr<TaskPaneFactory> factory,
                 std::function<void()> shownChanged);
    // Takes the form out of the task panes and deletes them.
    ~TaskPaneDock();
    TaskPaneDock(const TaskPaneDock&) = delete;
    TaskPaneDock& operator=(const TaskPaneDock&) = delete;

    // A task pane for the active window with the form in it, and soon
    // after (from the host's message loop) one for each other window open
    // now. A failure to make the active window's task pane is thrown; the
    // others are skipped.
    void Open();
    // A window became active: it gets its task pane if it has none, and the
    // form moves into it. Failures are skipped.
    void WindowActivated(const WindowPtr& window);
    // A workbook appeared (new or opened): its visible window gets a task pane.
    void WorkbookAppeared(const WorkbookPtr& wb);
    // The form fills the active task pane's content window again.
    void Fit();

    bool Shown() const { return shown_; }
    // The user's choice: every task pane shows or hides, and it is stored.
    void SetShown(bool shown);
    // How many task panes exist now, for whoever checks that none is left behind.
    std::size_t PaneCount() const { return slots_.size(); }

private:
    struct Slot {
        WindowHandle window = 0;  // the workbook window's handle; 0 for the one main window
        std::shared_ptr<TaskPane> pane;
        bool closing = false;     // its content window is going: deleted at the next chance
    };

    // TaskPaneEvents
    void VisibleStateChange(TaskPane& pane) override;
    void ContentResized(TaskPane& pane) override;
    void ContentClosing(TaskPane& pane) override;

    bool PerWindow() const { return component_.HostVersion >= 15; }
    Slot* Find(const TaskPane& pane);
    // The window's task pane, made when it has none. Throws what the host throws.
    Slot& Ensure(const WindowPtr& window);
    // Task panes for the visible windows that have none.
    void OpenOtherWindows();
    // Runs `step` from the host's message loop, if this dock still lives then.
    void Later(void (TaskPaneDock::*step)());
    // Deletes the task panes whose windows have gone.
    void Prune();
    // The form into the slot's content window, when it has one.
    void Place(Slot& slot);
    void ApplyShown();
    // The form out of every task pane: hidden, without a parent.
    void Park();

    Component& component_;
    ApplicationPtr host_;
    std::shared_ptr<TaskPaneFactory> factory_;
    std::function<void()> shownChanged_;
    std::vector<Slot> slots_;
    WindowHandle activeWindow_ = 0;  // the slot the form belongs in
    WindowHandle formParent_ = 0;    // the content window the form is in now; 0: parked
    bool shown_ = true;
    bool applying_ = false;  // our own Visible changes are not the user's
    std::shared_ptr<int> lifetime_ = std::make_shared<int>(0);  // tasks posted by this dock run only while it lives
};

}  // namespace brackwell

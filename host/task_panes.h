#pragma once
// What Excel 2007 and later give a COM add-in in place of the command-bar
// docks: custom task panes, one per workbook window (one in all for the
// single main window of Excel 2007 and 2010), each showing a control of the
// add-in whose window the pane form lives in; and the ribbon, whose controls
// the add-in asks the host to read again when their state changed.
//
// Calls may fail with AutomationError, like host calls.

#include <cstdint>
#include <memory>
#include <string>

#include "host/excel.h"
#include "host/window_handle.h"

namespace brackwell {

class TaskPane;

// What a task pane tells its creator. Called on the host's user-interface
// thread, possibly while the creator is inside one of its own calls.
class TaskPaneEvents {
public:
    // The pane was shown or hidden, by the user (its close box) or by a call.
    virtual void VisibleStateChange(TaskPane& pane) = 0;
    // The content window appeared or changed its size.
    virtual void ContentResized(TaskPane& pane) = 0;
    // The content window is being destroyed (its workbook window goes):
    // whatever lives in it must leave now; the pane is of no further use.
    virtual void ContentClosing(TaskPane& pane) = 0;

protected:
    ~TaskPaneEvents() = default;
};

class TaskPane {
public:
    virtual ~TaskPane() = default;  // lets go of the pane; it stays in its window until Delete
    // The window of the pane's content control, 0 while the host has not
    // made it yet (it may wait until the pane is first shown) or once it is gone.
    virtual WindowHandle Content() = 0;
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetWidth(std::int32_t pixels) = 0;  // pixels of a 96-dpi screen
    virtual void Delete() = 0;                       // takes it out of its window for good
};

class TaskPaneFactory {
public:
    virtual ~TaskPaneFactory() = default;
    // A new task pane titled `title`, docked at the window's left edge,
    // hidden, in workbook window `window` (empty: the active window). Its
    // events go to `events` until the pane object is released.
    virtual std::shared_ptr<TaskPane> CreateTaskPane(const std::string& title, const WindowPtr& window,
                                                     TaskPaneEvents& events) = 0;
};

// The add-in's part of the ribbon.
class Ribbon {
public:
    virtual ~Ribbon() = default;
    // The host asks the control's callbacks again (in every window's ribbon).
    virtual void InvalidateControl(const std::string& id) = 0;
};

}  // namespace brackwell

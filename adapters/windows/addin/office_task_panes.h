#pragma once
// The task-pane and ribbon ports over what Excel 2007 and later hand a COM
// add-in: ICTPFactory makes the task panes, each a _CustomTaskPane showing
// the control "Brackwell.PaneHost" (docked left, only to a side, width in
// points); its _CustomTaskPaneEvents tell of the user's close box, and the
// control (reached through ContentControl) of its window's size and end.
// IRibbonUI, from the ribbon's onLoad, reads the toggle's state again.
//
// A failed Office call throws AutomationError with Office's text where it
// gives one.

#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/office/office_interfaces.h"
#include "core/component.h"
#include "host/task_panes.h"

namespace brackwell::win::addin {

class OfficeTaskPaneFactory final : public TaskPaneFactory {
public:
    OfficeTaskPaneFactory(Component& component, ComPtr<ICTPFactory> factory);

    // CreateCTP("Brackwell.PaneHost", title, the window or missing).
    std::shared_ptr<TaskPane> CreateTaskPane(const std::string& title, const WindowPtr& window,
                                             TaskPaneEvents& events) override;

private:
    Component& component_;
    ComPtr<ICTPFactory> factory_;
};

class OfficeRibbon final : public Ribbon {
public:
    explicit OfficeRibbon(ComPtr<IRibbonUI> ribbon) : ribbon_(std::move(ribbon)) {}
    void InvalidateControl(const std::string& id) override;

private:
    ComPtr<IRibbonUI> ribbon_;
};

}  // namespace brackwell::win::addin

#pragma once
// The demo as Excel 2010 (one main window) or Excel 2016 (a window of its own
// for every workbook, made and destroyed as the host opens and closes
// workbooks; a click on a window activates its workbook; closing a window
// closes its workbook; the last window's end ends Excel), each window with
// its ribbon, task-pane area and workbook area, and the user's COM add-ins
// loaded as Excel loads them (excel_standin/office), Brackwell's among them
// when it is registered: its ribbon group on the Home tab and its pane in
// the task pane of the active window.

#include <windows.h>

#include <memory>

#include "apps/demo/demo_session.h"

namespace brackwell::office {
class ComAddIns;
}

namespace brackwell::demo {

class ExcelWindow;

class OfficeDemo {
public:
    explicit OfficeDemo(DemoSession& session);
    ~OfficeDemo();
    OfficeDemo(const OfficeDemo&) = delete;
    OfficeDemo& operator=(const OfficeDemo&) = delete;

    // The interactive or automatic run; the process's exit code.
    int Run();

    // For the tests that drive the demo's windows themselves: loads the
    // session, makes the windows and starts the add-ins; Quit ends Excel.
    bool Start();
    void Quit() noexcept;
    // The window of a workbook (2016), or the main window (2010); the active one.
    ExcelWindow* WindowOf(const WorkbookPtr& wb);
    ExcelWindow* ActiveWindow();
    std::size_t WindowCount() const;
    // The COM add-ins, as Excel's COM Add-ins dialog sees them; null before Start.
    office::ComAddIns* AddIns();

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace brackwell::demo

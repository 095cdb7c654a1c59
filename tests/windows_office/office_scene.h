#pragma once
// A stand-in Excel with its Office layer, for the Office layer's tests: the
// embedded host of a version with its automation facade, its windows
// (Excel 2013 and later: one top-level window per workbook, made and
// destroyed by the host; before: one main window), each with a task-pane
// area, and its COM add-ins over the user's list, the fake add-in on it.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "excel_standin/embedded/embedded_excel.h"
#include "excel_standin/office/com_addins.h"
#include "excel_standin/office/office_windows.h"
#include "excel_standin/office/task_pane_area.h"
#include "tests/windows_office/fake_office_addin.h"

namespace brackwell::office::test {

class OfficeScene {
public:
    // Workbooks "Mappe1.xlsx" and "Mappe2.xlsx", the second active.
    explicit OfficeScene(const std::string& version, DWORD loadBehavior = 3);
    ~OfficeScene();

    HWND Frame(const std::string& workbook);  // its window (the main window before 15)
    HWND Area(HWND frame);                    // the frame's task-pane area
    // The Window object of a workbook, through the facade.
    win::ComPtr<IDispatch> WindowObject(const std::string& workbook);
    // The main window's Hwnd through a Window object, or through the application.
    static HWND HwndOf(IDispatch* windowOrApplication);
    int RibbonRedraws(HWND frame) { return redraws_[frame]; }

    FakeClasses classes;
    embedded::EmbeddedExcel excel;
    win::ComPtr<IDispatch> application;
    std::shared_ptr<OfficeWindows> windows;
    std::unique_ptr<ComAddIns> addIns;

private:
    HWND MakeFrame(const std::string& caption);
    void DestroyFrame(HWND frame);

    HWND main_ = nullptr;
    std::map<HWND, std::unique_ptr<TaskPaneArea>> areas_;
    std::map<HWND, int> redraws_;
};

// Lets waiting messages run, routing keys to task panes as the host's loop does.
void PumpHostMessages();

}  // namespace brackwell::office::test

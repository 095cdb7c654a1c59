// The windows of the demo's Excel 2016 and 2010. Excel 2016: one top-level
// "XLMAIN" per visible workbook, each showing its own workbook; Window.Hwnd
// each one's own, Application.Hwnd the active one's; a click on a window
// activates its workbook and the host announces the switch; closing a window
// closes its workbook. Excel 2010: one window for all, no Window.Hwnd.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "apps/demo/demo_session.h"
#include "apps/demo/excel_window.h"
#include "apps/demo/office_demo.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

class WindowEvents final : public AppEvents {
public:
    std::vector<std::string> heard;
    void WorkbookDeactivate(const WorkbookPtr&) override {}
    void WorkbookOpen(const WorkbookPtr&) override {}
    void WorkbookActivate(const WorkbookPtr&) override {}
    void NewWorkbook(const WorkbookPtr&) override {}
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override {}
    void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override {}
    void SheetActivate(const SheetPtr&) override {}
    void WindowActivate(const WorkbookPtr& wb, const WindowPtr&) override { heard.push_back("+" + wb->Name()); }
    void WindowDeactivate(const WorkbookPtr& wb, const WindowPtr&) override { heard.push_back("-" + wb->Name()); }
};

HWND HandleOf(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

DemoOptions Options(ExcelGeneration generation) {
    DemoOptions options;
    options.mode = DemoMode::Smoke;  // the scripted user answers: no dialog waits
    options.generation = generation;
    return options;
}

TEST(DemoExcelWindows, Excel2016GivesEachWorkbookItsWindowAndFollowsTheUsersClicks) {
    DemoSession session(::GetModuleHandleW(nullptr), Options(ExcelGeneration::Excel2016));
    OfficeDemo demo(session);
    ASSERT_TRUE(demo.Start());
    const ApplicationPtr app = session.Excel().App();

    std::set<HWND> windows;
    std::vector<WorkbookPtr> visible;
    for (const WorkbookPtr& wb : app->Workbooks()->Enumerate()) {
        ExcelWindow* window = demo.WindowOf(wb);
        ASSERT_NE(window, nullptr) << wb->Name();
        const HWND hwnd = window->Window();
        wchar_t name[16] = {};
        ::GetClassNameW(hwnd, name, 16);
        EXPECT_STREQ(name, L"XLMAIN");
        EXPECT_EQ(HandleOf(wb->Windows()->Item(1)->Hwnd()), hwnd);
        EXPECT_EQ(::IsWindowVisible(hwnd) != FALSE, wb->Windows()->Item(1)->Visible()) << wb->Name();
        EXPECT_EQ(window->Workbook().Shown().workbook, wb->Name()) << "each window shows its own workbook";
        EXPECT_TRUE(::IsChild(hwnd, window->TaskPanes().Window()));
        windows.insert(hwnd);
        if (wb->Windows()->Item(1)->Visible()) visible.push_back(wb);
    }
    EXPECT_EQ(windows.size(), demo.WindowCount());
    ASSERT_GE(visible.size(), 2u);
    EXPECT_EQ(HandleOf(app->Hwnd()), demo.ActiveWindow()->Window());

    // A click on another workbook's window.
    WindowEvents events;
    const auto connection = app->Advise(events);
    const std::string before = app->ActiveWorkbook()->Name();
    const WorkbookPtr other = visible.front()->Name() == before ? visible.back() : visible.front();
    const HWND otherWindow = demo.WindowOf(other)->Window();
    ASSERT_EQ(::GetActiveWindow(), demo.WindowOf(app->ActiveWorkbook())->Window());
    ::SetForegroundWindow(otherWindow);  // as the system does for a click
    ::SetActiveWindow(otherWindow);
    session.WaitFor([&] { return app->ActiveWorkbook()->Name() == other->Name(); }, 5000);
    EXPECT_EQ(events.heard, (std::vector<std::string>{"-" + before, "+" + other->Name()}));
    EXPECT_EQ(HandleOf(app->Hwnd()), otherWindow);

    // Its close box closes its workbook, and the window goes with it.
    const std::size_t count = demo.WindowCount();
    const std::string closed = other->Name();
    ::SendMessageW(otherWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(otherWindow));
    EXPECT_EQ(demo.WindowCount(), count - 1);
    for (const WorkbookPtr& wb : app->Workbooks()->Enumerate()) EXPECT_NE(wb->Name(), closed);
    EXPECT_EQ(HandleOf(app->Hwnd()), demo.ActiveWindow()->Window());
    demo.Quit();
    session.MessageLoop();  // what is left runs, up to Excel's end
}

TEST(DemoExcelWindows, Excel2010HasOneWindowForEveryWorkbook) {
    DemoSession session(::GetModuleHandleW(nullptr), Options(ExcelGeneration::Excel2010));
    OfficeDemo demo(session);
    ASSERT_TRUE(demo.Start());
    const ApplicationPtr app = session.Excel().App();
    app->Workbooks()->Add();
    EXPECT_EQ(demo.WindowCount(), 1u);
    EXPECT_EQ(HandleOf(app->Hwnd()), demo.ActiveWindow()->Window());
    session.WaitFor([&] { return demo.ActiveWindow()->Workbook().Shown().workbook == app->ActiveWorkbook()->Name(); },
                    3000);
    EXPECT_EQ(demo.ActiveWindow()->Workbook().Shown().workbook, app->ActiveWorkbook()->Name());
    try {
        app->ActiveWindow()->Hwnd();
        ADD_FAILURE() << "Window.Hwnd exists only from Excel 2013 on";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), err::kNotSupported);
    }
    demo.Quit();
    session.MessageLoop();  // what is left runs, up to Excel's end
}

}  // namespace
}  // namespace brackwell::demo

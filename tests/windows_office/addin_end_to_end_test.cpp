// Brackwell's COM add-in from the real brackwell.dll in the demo's Excel 2010
// and Excel 2016, loaded from the user's list as Excel loads it: the pane in
// the active window's task pane listing the workbooks, gone and back when the
// COM Add-ins dialog unloads and loads the add-in, hidden and shown by the
// ribbon's toggle, moving with window switches and outliving the window it
// was in; twenty workbooks opened, switched and closed in a random order; and
// nothing left behind: the GDI objects after the second unloading as many as
// after the first (the first use of a control fills caches for good), and
// once Excel has closed with the add-in loaded again, no facade or Office
// object alive and the DLL ready to unload.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "apps/demo/demo_session.h"
#include "apps/demo/excel_window.h"
#include "apps/demo/gdi_objects.h"
#include "apps/demo/menu_commands.h"
#include "apps/demo/office_demo.h"
#include "apps/demo/pane_probe.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/com_addins.h"
#include "tests/windows_com/machine_class_mirror.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kAddIn[] = L"Brackwell.Connect";
constexpr wchar_t kAddinsKey[] = L"Software\\Microsoft\\Office\\Excel\\Addins\\Brackwell.Connect";
constexpr DWORD kWaitMs = 10000;

class AddInEndToEnd : public ::testing::TestWithParam<ExcelGeneration> {
protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<win::test::RegisteredServer>();
        mirror_ = std::make_unique<win::test::MachineClassMirror>(
            std::vector<std::wstring>{L"Brackwell.Connect", L"Brackwell.PaneHost"});
        const DWORD atStartup = 3;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kAddinsKey, L"LoadBehavior", REG_DWORD, &atStartup, sizeof atStartup);
    }
    static void TearDownTestSuite() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kAddinsKey);
        mirror_.reset();
        server_.reset();
    }

    static DemoOptions Options() {
        DemoOptions options;
        options.mode = DemoMode::Smoke;  // the scripted user answers: no dialog waits
        options.generation = GetParam();
        return options;
    }

    static inline std::unique_ptr<win::test::RegisteredServer> server_;
    static inline std::unique_ptr<win::test::MachineClassMirror> mirror_;
};

TEST_P(AddInEndToEnd, ThePaneFollowsTheActiveWindowAndNothingIsLeftWhenExcelCloses) {
    ASSERT_EQ(server_->registerResult, S_OK);
    const bool perWorkbook = GetParam() == ExcelGeneration::Excel2016;
    const std::int64_t liveBefore = win::LiveFacadeObjects();
    int gdiUnloaded = 0;
    {
        DemoSession session(::GetModuleHandleW(nullptr), Options());
        OfficeDemo demo(session);
        ASSERT_TRUE(demo.Start());
        const ApplicationPtr app = session.Excel().App();
        const auto tree = [&](ExcelWindow* window) {
            return window ? FindPaneTree(window->TaskPanes().Window()) : nullptr;
        };
        // The pane shows in `window`'s task pane, listing the visible workbooks.
        const auto showsIn = [&](ExcelWindow* window) {
            const HWND shown = tree(window);
            return TreeShows(shown) && RootItemTexts(shown) == session.VisibleWorkbookNames();
        };
        ASSERT_TRUE(session.WaitFor([&] { return showsIn(demo.ActiveWindow()); }, kWaitMs));

        // Unloaded and loaded again through the COM Add-ins dialog.
        ASSERT_TRUE(demo.AddIns()->Disconnect(kAddIn));
        session.WaitFor([] { return false; }, 200);
        EXPECT_EQ(FindPaneTree(demo.ActiveWindow()->TaskPanes().Window()), nullptr);
        EXPECT_EQ(demo.ActiveWindow()->Ribbon().ControlWindow(L"Navigator"), nullptr);
        gdiUnloaded = GdiObjectCount();
        ASSERT_TRUE(demo.AddIns()->Connect(kAddIn));
        ASSERT_TRUE(session.WaitFor([&] { return showsIn(demo.ActiveWindow()); }, kWaitMs));

        // The ribbon's toggle hides it and shows it again, pressed while it shows.
        for (const bool shown : {false, true}) {
            const HWND toggle = demo.ActiveWindow()->Ribbon().ControlWindow(L"Navigator");
            ASSERT_NE(toggle, nullptr);
            ::SendMessageW(toggle, BM_CLICK, 0, 0);
            EXPECT_TRUE(session.WaitFor([&] {
                return TreeShows(tree(demo.ActiveWindow())) == shown &&
                       demo.ActiveWindow()->Ribbon().Pressed(L"Navigator") == shown;
            }, kWaitMs)) << (shown ? "shown again" : "hidden");
        }

        if (perWorkbook) {
            // A click on another workbook's window moves the pane there; closing that
            // workbook leaves the pane to the next active window.
            ExcelWindow* first = demo.ActiveWindow();
            ExcelWindow* other = nullptr;
            for (const WorkbookPtr& wb : app->Workbooks()->Enumerate()) {
                if (demo.WindowOf(wb) != first && wb->Windows()->Item(1)->Visible()) other = demo.WindowOf(wb);
            }
            ASSERT_NE(other, nullptr);
            const HWND otherWindow = other->Window();
            ::SetForegroundWindow(otherWindow);
            ::SetActiveWindow(otherWindow);
            EXPECT_TRUE(session.WaitFor([&] { return demo.ActiveWindow() == other && showsIn(other); }, kWaitMs));
            EXPECT_FALSE(TreeShows(tree(first))) << "one pane, in the active window only";
            ::SendMessageW(otherWindow, WM_CLOSE, 0, 0);
            EXPECT_TRUE(session.WaitFor([&] { return demo.ActiveWindow() && showsIn(demo.ActiveWindow()); }, kWaitMs));
        }

        // Twenty workbooks opened, switched and closed in a random order.
        std::mt19937 random(27);
        std::vector<WorkbookPtr> opened;
        for (int step = 0; step < 20 || !opened.empty(); ++step) {
            const int action = step < 20 ? 0 : static_cast<int>(random() % 2) + 1;
            if (action == 0) {
                ::SendMessageW(demo.ActiveWindow()->Window(), WM_COMMAND, MAKEWPARAM(kCommandNew, 0), 0);
                opened.push_back(app->ActiveWorkbook());
            } else {
                const std::size_t pick = random() % opened.size();
                const WorkbookPtr wb = opened[pick];
                ExcelWindow* window = demo.WindowOf(wb);
                if (action == 1 && perWorkbook) {
                    ::SetForegroundWindow(window->Window());
                    ::SetActiveWindow(window->Window());
                } else if (action == 1) {
                    wb->Activate();
                } else {
                    if (perWorkbook) {
                        ::SendMessageW(window->Window(), WM_CLOSE, 0, 0);
                    } else {
                        wb->Close(false);
                    }
                    opened.erase(opened.begin() + static_cast<long>(pick));
                }
            }
            session.WaitFor([] { return false; }, 20);
        }
        EXPECT_TRUE(session.WaitFor([&] { return showsIn(demo.ActiveWindow()); }, kWaitMs))
            << "after the storm the pane shows the workbooks left in the active window";
        ASSERT_TRUE(demo.AddIns()->Disconnect(kAddIn));
        session.WaitFor([] { return false; }, 200);
        EXPECT_LE(GdiObjectCount(), gdiUnloaded) << "GDI objects after the first unloading: " << gdiUnloaded;
        // Loaded once more, and running when Excel closes.
        ASSERT_TRUE(demo.AddIns()->Connect(kAddIn));
        EXPECT_TRUE(session.WaitFor([&] { return showsIn(demo.ActiveWindow()); }, kWaitMs));
        demo.Quit();
        session.MessageLoop();  // what is left runs, up to Excel's end
    }
    EXPECT_EQ(win::LiveFacadeObjects(), liveBefore);
    EXPECT_EQ(win::test::ServerDll::Get().DllCanUnloadNow(), S_OK);
}

INSTANTIATE_TEST_SUITE_P(Excel, AddInEndToEnd,
                         ::testing::Values(ExcelGeneration::Excel2010, ExcelGeneration::Excel2016),
                         [](const auto& info) {
                             return info.param == ExcelGeneration::Excel2010 ? "Excel2010" : "Excel2016";
                         });

}  // namespace
}  // namespace brackwell::demo

#include "bench/windows/press_to_settled.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/controls/tree_item_text.h"
#include "adapters/windows/settings/registry_settings_store.h"
#include "excel_standin/embedded/embedded_excel.h"
#include "excel_standin/facade/application_facade.h"
#include "tests/windows/dispatch_call.h"
#include "tests/windows/message_pump.h"
#include "tests/windows_com/host_window.h"
#include "tests/windows_com/server_dll.h"

namespace brackwell::bench {
namespace {

using Clock = std::chrono::steady_clock;

// When the tree last finished a WM_PAINT: a paint may run in a message loop
// of the component's own (its DoEvents), out of the timing loop's sight.
Clock::time_point lastTreePaint;
WNDPROC treeProcedure = nullptr;

LRESULT CALLBACK PaintWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(treeProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT) lastTreePaint = Clock::now();
    return result;
}

// The item showing `text` among the children of `parent` (the top level when null).
HTREEITEM ChildItem(HWND tree, HTREEITEM parent, const std::wstring& text) {
    for (HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree); item;
         item = TreeView_GetNextSibling(tree, item)) {
        if (win::TreeItemText(tree, item) == text) return item;
    }
    return nullptr;
}

std::string BookName(int number) { return "Mappe" + std::to_string(number) + ".xlsx"; }

// Presses `sheet` of `book` in the pane and returns the seconds until the
// tree's last repaint, once every message has run.
double Press(HWND tree, const std::string& book, int sheet) {
    const HTREEITEM item = ChildItem(tree, ChildItem(tree, nullptr, win::Utf8ToWide(book)),
                                     L"Tabelle" + std::to_wstring(sheet));
    if (!item) return -1;
    TreeView_EnsureVisible(tree, item);  // the user scrolled to it
    win::test::PumpMessages();
    RECT label{};
    TreeView_GetItemRect(tree, item, &label, TRUE);
    const LPARAM at = MAKELPARAM((label.left + label.right) / 2, (label.top + label.bottom) / 2);
    const auto start = Clock::now();
    lastTreePaint = start;
    ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(tree, WM_LBUTTONUP, 0, at);
    win::test::PumpMessages();  // until nothing waits and nothing is left to paint
    return std::chrono::duration<double>(lastTreePaint - start).count();
}

}  // namespace

bool ReportPressToSettled(int workbooks, int sheets, int names, int rounds) {
    // Every workbook expanded, as in the rebuilds above; the user's choice comes back at the end.
    win::RegistrySettingsStore settings;
    const std::string mapExpand = settings.GetSetting("Brackwell", "Settings", "MapExpand", "");
    settings.SaveSetting("Brackwell", "Settings", "MapExpand", "True");
    embedded::EmbeddedExcel excel{"11.0"};  // the command bar's dock, as the other scenes
    win::test::HostWindow window;
    excel.SetHwnd(reinterpret_cast<WindowHandle>(window.Main()));
    std::vector<std::string> sheetNames;
    for (int s = 1; s <= sheets; ++s) sheetNames.push_back("Tabelle" + std::to_string(s));
    for (int w = 1; w <= workbooks; ++w) {
        const auto book = excel.CreateWorkbook(BookName(w), sheetNames, "C:\\Daten");
        for (int n = 1; n <= names; ++n)
            excel.AddName(book, "Name" + std::to_string(n), "=Tabelle1!$A$" + std::to_string(n));
    }
    excel.ActivateSilently(excel.App()->Workbooks()->Item(1));

    win::ComPtr<IClassFactory> factory;
    win::ComPtr<IDispatch> nav;
    if (FAILED(win::test::ServerDll::Get().DllGetClassObject(CLSID_Wayfinder, IID_IClassFactory,
                                                               factory.ReceiveVoid())) ||
        FAILED(factory->CreateInstance(nullptr, IID_IDispatch, nav.ReceiveVoid()))) {
        std::printf("press to settled: brackwell.dll made no navigator\n");
        return false;
    }
    win::ComPtr<IDispatch> app = win::MakeApplicationFacade(excel.App());
    win::test::PutRef(nav.Get(), L"mExcel", win::Variant::Object(app));
    win::test::Call(nav.Get(), L"CreateNavBar");
    win::test::PumpMessages();
    const HWND tree = window.PaneTree();
    treeProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintWatch)));

    std::vector<double> seconds;
    bool reached = true;
    for (int r = 0; r < rounds; ++r) {
        // Between the first two workbooks, a sheet further down each round.
        const std::string book = BookName(1 + (r + 1) % 2);
        const int sheet = 1 + (r * 37) % sheets;
        seconds.push_back(Press(tree, book, sheet));
        reached = reached && excel.App()->ActiveWorkbook()->Name() == book &&
                  excel.App()->ActiveSheet()->Name() == "Tabelle" + std::to_string(sheet);
    }
    ::SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(treeProcedure));
    nav.Reset();  // the pane goes with the last reference
    win::test::PumpMessages();
    if (mapExpand.empty()) {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Brackwell\\Settings",
                             L"MapExpand");
    } else {
        settings.SaveSetting("Brackwell", "Settings", "MapExpand", mapExpand);
    }

    std::sort(seconds.begin(), seconds.end());
    std::printf("press on a sheet of another workbook to the tree's last repaint, through brackwell.dll:\n");
    std::printf("  %d workbooks x (1 + %d sheets + %d names) = %d nodes, %d presses: best %.1f ms, median %.1f ms"
                "   (target: at most 100 ms at 10,000 nodes)\n",
                workbooks, sheets, names, workbooks * (1 + sheets + names), rounds, seconds.front() * 1e3,
                seconds[seconds.size() / 2] * 1e3);
    if (!reached) std::printf("  A PRESS DID NOT ACTIVATE ITS SHEET\n");
    return reached;
}

}  // namespace brackwell::bench

// How the tree rebuild grows with the workbook count: time per node and host
// calls per node, at 1, 10, 50 and 500 workbooks of 100 worksheets and 100
// names (about 200, 2,000, 10,000 and 100,000 nodes), with tab colours off
// and on; and one workbook of 5,000 names, every tenth hidden.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/headless_platform.h"
#include "core/component.h"
#include "core/wayfinder.h"

namespace {

using namespace brackwell;

constexpr int kSheets = 100;

struct Scene {
    Scene(int workbooks, bool tabColours, int names) {
        platform.Settings().SaveSetting("Brackwell", "Settings", "SetForeReg", tabColours ? "True" : "False");
        std::vector<std::string> sheets;
        for (int s = 1; s <= kSheets; ++s) sheets.push_back("Blatt" + std::to_string(s));
        for (int w = 1; w <= workbooks; ++w) {
            auto wb = excel.CreateWorkbook("Mappe" + std::to_string(w), sheets);
            for (int n = 1; n <= names; ++n) {
                const auto name = excel.AddName(wb, "Name" + std::to_string(n), "=Blatt1!$A$" + std::to_string(n));
                if (names > 100 && n % 10 == 0) excel.SetNameVisible(name, false);
            }
            excel.SetTabColor(wb->Worksheets()->Item(1), 3);
        }
        auto& windows = platform.HeadlessWindows();
        const WindowHandle main = windows.NewWindow("XLMAIN", "", 0, 0, 0, 1200, 900);
        windows.NewWindow("EXCEL2", "", main, 0, 100, 240, 700);
        excel.SetHwnd(main);
        nav = std::make_unique<Wayfinder>(component);
        nav->set_mExcel(excel.App());
        nav->CreateNavBar();
    }

    headless::HeadlessPlatform platform;
    embedded::EmbeddedExcel excel{"11.0"};
    Component component{platform};
    std::unique_ptr<Wayfinder> nav;
};

void UpdateTree(benchmark::State& state) {
    const int workbooks = static_cast<int>(state.range(0));
    const int names = static_cast<int>(state.range(2));
    Scene scene(workbooks, state.range(1) != 0, names);
    const int shownNames = names > 100 ? names - names / 10 : names;
    const int nodes = workbooks * (1 + kSheets + shownNames);
    scene.excel.ResetCalls();
    for (auto _ : state) scene.nav->UpdateTree();

    const double rebuilds = static_cast<double>(state.iterations());
    const double sheetNodes = workbooks * kSheets * rebuilds;
    const double nameNodes = workbooks * shownNames * rebuilds;
    const auto& e = scene.excel;
    state.counters["nodes"] = nodes;
    state.counters["ns/node"] = benchmark::Counter(nodes * rebuilds, benchmark::Counter::kIsRate |
                                                                         benchmark::Counter::kInvert);
    state.counters["calls/node"] = e.TotalCalls() / (nodes * rebuilds);
    state.counters["calls/sheet"] = (e.Calls("Sheets.Item") + e.Calls("Sheet.Name") +
                                     e.Calls("Sheet.ProtectContents") + e.Calls("Sheet.Tab") +
                                     e.Calls("Tab.ColorIndex")) / sheetNodes;
    // Per name shown: its item, whether it shows, its text and its reference
    // (a hidden one costs the first two).
    state.counters["calls/name"] = (e.Calls("DefinedNames.Item") + e.Calls("DefinedName.Visible") +
                                    e.Calls("DefinedName.Name") + e.Calls("DefinedName.RefersTo")) / nameNodes;
}

BENCHMARK(UpdateTree)
    ->ArgNames({"workbooks", "tabcolours", "names"})
    ->ArgsProduct({{1, 10, 50, 500}, {0, 1}, {100}})
    ->Args({1, 0, 5000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#include "tests/reliability/sweep_scene.h"

#include <stdexcept>

namespace brackwell::reliability {

Scene::Scene(const SceneSetup& setup) {
    platform.HeadlessUi().SetDoEventsHook([this] { excel.RunPendingEvents(); });
    auto store = [&](const char* key, const std::string& value) {
        platform.Settings().SaveSetting("Brackwell", "Settings", key, value);
    };
    store("MapExpand", "True");
    store("SetForeReg", "True");
    store("Drag", setup.drag);

    auto& windows = platform.HeadlessWindows();
    const WindowHandle main = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 10, 20, 1200, 900);
    windows.NewWindow("EXCEL2", "", main, 0, 100, 240, 700);
    excel.SetHwnd(main);
    if (setup.addin) {
        excel.SetVersion("16.0");
        excel.SetWindowMaker(
            [&windows](const std::string& caption) { return windows.NewWindow("XLMAIN", caption, 0, 0, 0, 900, 700); },
            [this, &windows](WindowHandle window) {
                panes->WindowClosing(window);
                windows.DestroyWindow(window);
            });
        embedded::PaneWindows paneWindows{
            [&windows](WindowHandle host, std::int32_t width) {
                return windows.NewWindow("TaskPaneContent", "", host, 0, 30, width, 600);
            },
            [&windows](WindowHandle content, std::int32_t width) {
                windows.MoveWindow(content, 0, 30, width, 600, true);
            },
            [&windows](WindowHandle content, bool visible) { windows.SetVisible(content, visible); },
            [&windows](WindowHandle content) { windows.DestroyWindow(content); }};
        panes = std::make_shared<embedded::EmbeddedTaskPanes>(excel, paneWindows, main);
    }

    umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Januar", "Februar"}, "C:\\Daten");
    excel.AddChartSheet(umsatz, "Diagramm1");
    excel.AddName(umsatz, "Daten", "=Januar!$A$1");
    januar = umsatz->Worksheets()->Item(1);
    excel.SetTabColor(januar, 3);
    excel.SetSheetProtection(umsatz->Worksheets()->Item(2), true);
    mappe = excel.CreateWorkbook("Mappe2", {"Tabelle1", "Tabelle2"});
    personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\Start");
    excel.SetWindowVisible(personal, false);
    embedded::WorkbookContent alt;
    alt.sheets.emplace_back().name = "Alt1";
    excel.MemoryFiles().Put("C:\\Daten\\Alt.xlsx", alt);
    excel.AddRecentFile("C:\\Daten\\Alt.xlsx");
    excel.ActivateSilently(umsatz, januar);

    probeBegin = excel.App()->Advise(probe.begin);
    if (setup.addin) {
        addin = std::make_shared<AddIn>(component);
        if (setup.pane) StartAddIn();
    } else {
        nav = std::make_unique<Wayfinder>(component);
        nav->set_mExcel(excel.App());
    }
    probeEnd = excel.App()->Advise(probe.end);
    if (setup.pane && !setup.addin) nav->CreateNavBar();
}

void Scene::StartAddIn() {
    try {
        addin->Connect(excel.App());
    } catch (const AutomationError&) {
        // A start that cannot work at all: Excel hears the failure and lets go.
        addin->Disconnect();
        return;
    }
    addin->TaskPanesAvailable(panes);
}

Scene::~Scene() {
    // The navigator goes first, while the host and the platform still live.
    probeEnd.reset();
    addin.reset();
    nav.reset();
    probeBegin.reset();
}

headless::HeadlessNavForm& Scene::Form() {
    headless::HeadlessNavForm* form = platform.NavForm();
    if (!form) throw std::logic_error("the scene has no pane");
    return *form;
}

void Scene::Select(const std::string& key) {
    Tree().SetSelectedItem(Tree().Nodes().Item(key));
}

}  // namespace brackwell::reliability

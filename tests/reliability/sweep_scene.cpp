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
    nav = std::make_unique<Wayfinder>(component);
    nav->set_mExcel(excel.App());
    probeEnd = excel.App()->Advise(probe.end);
    if (setup.pane) nav->CreateNavBar();
}

Scene::~Scene() {
    // The navigator goes first, while the host and the platform still live.
    probeEnd.reset();
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

// The console program: Brackwell's navigator on the embedded spreadsheet host
// with a sample session, without a screen. It prints the tree as the pane
// would show it, then lets the host do what a user does (switch workbook,
// add a sheet, close a workbook) and prints the tree after each event.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/file_settings_store.h"
#include "adapters/headless/headless_platform.h"
#include "apps/console/tree_printer.h"
#include "apps/sample_session/sample_session.h"
#include "core/component.h"
#include "core/wayfinder.h"
#include "host/automation_error.h"

namespace {

using namespace brackwell;

void Show(const std::string& heading, headless::HeadlessPlatform& platform) {
    std::cout << "\n== " << heading << " ==\n";
    if (auto* form = platform.NavForm()) apps::PrintTree(std::cout, form->TreeControl());
    for (const auto& box : platform.HeadlessUi().MessageBoxes())
        std::cout << "[Meldung \"" << box.title << "\"] " << box.prompt << '\n';
}

int Run() {
    auto settings = std::make_unique<headless::FileSettingsStore>(headless::FileSettingsStore::DefaultPath());
    const std::string settingsPath = settings->Path().string();
    headless::HeadlessPlatform platform(std::move(settings));
    embedded::EmbeddedExcel excel("11.0");
    platform.HeadlessUi().SetDoEventsHook([&] { excel.RunPendingEvents(); });

    // The host's main window with its left dock, where the pane docks.
    auto& windows = platform.HeadlessWindows();
    const WindowHandle main = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 0, 0, 1280, 900);
    windows.NewWindow("EXCEL2", "", main, 0, 120, 240, 700);
    excel.SetHwnd(main);
    apps::LoadSampleSession(excel);

    Component component(platform);
    std::unique_ptr<Wayfinder> nav;
    try {
        nav = std::make_unique<Wayfinder>(component);
    } catch (const AutomationError& e) {
        std::cerr << "Der Navigator kann nicht starten (" << settingsPath << "): " << e.Description() << '\n';
        return 1;
    }
    excel.RegisterMacro("UpdateNav", [&] { nav->UpdateTree(); });
    nav->set_mExcel(excel.App());
    nav->CreateNavBar();

    std::cout << "Brackwell auf dem eingebetteten Excel " << excel.App()->Version()
              << " (Einstellungen: " << settingsPath << ")\n";
    Show("Nach CreateNavBar", platform);

    excel.App()->Workbooks()->ItemByName("Planung.xlsx")->Activate();
    Show("Planung.xlsx aktiviert", platform);

    excel.App()->ActiveWorkbook()->Worksheets()->Add();
    Show("Neues Tabellenblatt", platform);

    excel.App()->Workbooks()->ItemByName("Planung.xlsx")->Close(false);
    Show("Planung.xlsx geschlossen", platform);

    nav.reset();
    std::cout << "\nNavigator beendet; Befehlsleiste "
              << (excel.FindCommandBar("BrackwellBar") ? "noch vorhanden" : "entfernt") << ".\n";
    return 0;
}

}  // namespace

int main() {
    try {
        return Run();
    } catch (const std::exception& e) {
        std::cerr << "Fehler: " << e.what() << '\n';
        return 1;
    }
}

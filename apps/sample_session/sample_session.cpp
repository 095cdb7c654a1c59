#include "apps/sample_session/sample_session.h"

namespace brackwell::apps {

std::vector<SampleFile> SampleClosedFiles(const std::string& archive) {
    embedded::WorkbookContent lastYear;
    for (const char* name : {"Übersicht", "Januar", "Februar", "März"}) {
        embedded::SheetContent sheet;
        sheet.name = name;
        lastYear.sheets.push_back(sheet);
    }
    lastYear.sheets[0].tabColorIndex = 10;  // green, as this year's
    lastYear.names.push_back({"Daten", "=Übersicht!$A$1:$D$20", std::nullopt});
    return {{archive + "\\Umsatz 2025.xlsx", lastYear}};
}

void LoadSampleSession(embedded::EmbeddedExcel& excel, const std::string& documents, const std::string& archive) {

    auto umsatz = excel.CreateWorkbook("Umsatz 2026.xlsx", {"Übersicht", "Januar", "Februar", "売上"}, documents);
    excel.AddChartSheet(umsatz, "Diagramm1", 2);
    auto sheets = umsatz->Worksheets();
    excel.SetTabColor(sheets->Item(1), 10);  // green
    excel.SetTabColor(sheets->Item(2), 3);   // red
    excel.SetTabColor(sheets->Item(4), 46);  // orange
    excel.AddName(umsatz, "Daten", "=Übersicht!$A$1:$D$20");
    excel.AddName(umsatz, "Summe", "=Januar!$B$40", sheets->Item(2));
    excel.AddName(umsatz, "Altbestand", "=#REF!");

    auto personal = excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\Users\\Benutzer\\AppData\\Roaming\\Microsoft\\Excel\\XLSTART");
    excel.SetWindowVisible(personal, false);

    auto planung = excel.CreateWorkbook("Planung.xlsx", {"Entwurf", "Kalkulation", "Notizen"}, documents);
    excel.SetSheetProtection(planung->Worksheets()->Item(2), true, "geheim");
    excel.SetSheetVisible(planung->Worksheets()->Item(3), false);
    excel.AddName(planung, "Budget", "=Kalkulation!$C$5");

    auto neu = excel.CreateWorkbook("Mappe1", {"Tabelle1", "Tabelle2", "Tabelle3"});
    excel.SetSheetProtection(neu->Worksheets()->Item(1), true);

    for (const SampleFile& file : SampleClosedFiles(archive.empty() ? documents : archive)) {
        excel.AddRecentFile(file.path);
    }
    excel.AddRecentFile(documents + "\\Planung.xlsx");
    excel.ActivateSilently(umsatz, sheets->Item(2));
    excel.App()->Goto("R3C2:R8C4");  // the user's selection on the active sheet
}

}  // namespace brackwell::apps

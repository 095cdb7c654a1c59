#include "pane/nav_bar_design.h"

namespace brackwell {
namespace {

ToolbarDesign MakeNavBarDesign() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    ToolbarDesign d;
    d.buttons = {
        {"mnuNew", kDropDown, "Neu", 0, "", "", kNone, 44, true,
         {{"newMap", "Arbeitsmappe", 6800, true}, {"newTab", "Tabellenblatt", 6601, true}}},
        {"mnuOpen", kPlain, "", 6120, "Arbeitsmappe", "... öffnen (Mehrfachauswahl möglich)", kNone, 25, true, {}},
        {"mnuSave", kPlain, "", 6122, "Arbeitsmappe", "... speichern", kInfo, 25, true, {}},
        {"mnuMapClose", kDropDown, "", 6953, "Arbeitsmappe", "...schließen", kInfo, 38, true,
         {{"closeAll", "Alle Mappen schließen (Nachfrage)", 0, false},
          {"closeAllSaveYes", "... alle schließen (Änderungen speichern)", 6122, true},
          {"closeAllSaveNo", "... alle schließen (ohne speichern)", 6421, true}}},
        {"mnuTabDel", kPlain, "", 6404, "Löschen", "... ausgewähltes Tabellenblatt löschen!", kWarning, 25, true, {}},
        {"", kSeparator, "", 0, "", "", kNone, 15, true, {}},
        {"mnuInfo", kDropDown, "", 6925, "", "", kNone, 38, true,
         {{"mnuInfo", "Info", 6218, true}, {"mnuLink", "Homepage", 6240, true}, {"mnuOpt", "Einstellungen", 6944, true}}},
    };
    // d.look: the shared look of all bars.
    return d;
}

}  // namespace

const ToolbarDesign& NavBarDesign() {
    static const ToolbarDesign design = MakeNavBarDesign();
    return design;
}

}  // namespace brackwell

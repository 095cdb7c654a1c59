#include "tests/reliability/entry_points.h"

#include <utility>

namespace brackwell::reliability {
namespace {

using Prepare = std::function<void(Scene&)>;
using embedded::EventKind;

constexpr std::int16_t kLeft = vb::kLeftButton;
constexpr std::int16_t kRight = vb::kRightButton;
constexpr const char* kOldFile = "C:\\Daten\\Alt.xlsx";

class Builder {
public:
    std::vector<EntryPoint> entries;

    void Add(std::string name, FailureStyle style, SceneSetup setup, Prepare prepare, Prepare act) {
        entries.push_back({std::move(name), style, std::move(setup), std::move(prepare), std::move(act)});
    }
    void Add(std::string name, Prepare prepare, Prepare act) {
        Add(std::move(name), FailureStyle::Skip, {}, std::move(prepare), std::move(act));
    }

    void Event(const std::string& name, EventKind kind, Prepare prepare = {}) {
        Add("event " + name, std::move(prepare), [kind](Scene& s) {
            const bool sheetEvent = kind == EventKind::WorkbookNewSheet || kind == EventKind::SheetActivate;
            s.excel.PostEvent({kind, s.umsatz, sheetEvent ? s.januar : nullptr});
            s.excel.RunPendingEvents();
        });
    }

    void Press(const std::string& key, std::int16_t button) {
        Add("press " + std::to_string(button) + " " + key, {},
            [key, button](Scene& s) { s.Tree().Press(key, button); });
    }

    // A right press on `key` and the menu item with `caption`; `script`
    // answers what the command asks.
    void Menu(const std::string& name, const std::string& key, const std::string& caption, Prepare script = {},
              FailureStyle style = FailureStyle::Skip) {
        Add(
            "menu " + key + " " + name, style, {},
            [caption, script](Scene& s) {
                s.Menu().ChooseNextByCaption(caption);
                if (script) script(s);
            },
            [key](Scene& s) { s.Tree().Press(key, kRight); });
    }

    void PaneMenu(const std::string& name, std::int32_t position, Prepare script = {}) {
        Add(
            "pane menu " + name,
            [position, script](Scene& s) {
                if (position > 0)
                    s.Menu().ChooseNext(position);
                else
                    s.Menu().DismissNext();
                if (script) script(s);
            },
            [](Scene& s) { s.Tree().PressAt(s.Tree().EmptyPoint(), kRight); });
    }

    void Button(const std::string& key, const std::string& selected, Prepare script = {}) {
        Add(
            "button " + key + " on " + selected,
            [selected, script](Scene& s) {
                s.Select(selected);
                if (script) script(s);
            },
            [key](Scene& s) { s.Bar().Click(key); });
    }

    void Item(const std::string& button, const std::string& item, const std::string& selected, Prepare script = {},
              const std::string& variant = "") {
        Add(
            "item " + item + variant + " on " + selected,
            [selected, script](Scene& s) {
                s.Select(selected);
                if (script) script(s);
            },
            [button, item](Scene& s) { s.Bar().ChooseMenuItem(button, item); });
    }

    // A drag from `source` started during set-up and dropped on `target`.
    void Drop(const std::string& name, const std::string& drag, const std::string& source, const std::string& target,
              Prepare script = {}) {
        Add(
            "drop " + name, FailureStyle::Beep, {drag, true},
            [source, target, script](Scene& s) {
                s.dragData = s.Tree().StartDrag(source);
                s.dropAt = target.empty() ? s.Tree().EmptyPoint() : s.Tree().PointOf(target);
                if (script) script(s);
            },
            [](Scene& s) { s.Tree().Drop(*s.dragData, s.dropAt); });
    }
};

Prepare OpenFile() {
    return [](Scene& s) { s.excel.User().openFileAnswers.push(std::vector<std::string>{kOldFile}); };
}
Prepare SaveAs(const std::string& path) {
    return [path](Scene& s) { s.excel.User().saveAsAnswers.push(path); };
}
Prepare TypeText(const std::string& text) {
    return [text](Scene& s) { s.Ui().TypeNext(text); };
}
Prepare AboutBox(std::function<void(headless::DialogScript&)> actions) {
    return [actions](Scene& s) { actions(s.platform.DialogUser().Next("frmAbout")); };
}

}  // namespace

std::vector<EntryPoint> AllEntryPoints() {
    Builder b;

    // The host's application events.
    b.Event("WorkbookDeactivate", EventKind::WorkbookDeactivate);
    b.Event("WorkbookDeactivate, one visible left", EventKind::WorkbookDeactivate,
            [](Scene& s) { s.excel.SetWindowVisible(s.mappe, false); });
    b.Event("WorkbookOpen", EventKind::WorkbookOpen);
    b.Event("WorkbookActivate", EventKind::WorkbookActivate);
    b.Event("NewWorkbook", EventKind::NewWorkbook);
    b.Event("WorkbookNewSheet", EventKind::WorkbookNewSheet);
    b.Event("WorkbookBeforeSave", EventKind::WorkbookBeforeSave);
    b.Event("SheetActivate", EventKind::SheetActivate);

    // The navigator's public members, as the host side calls them.
    b.Add("UpdateTree", {}, [](Scene& s) { s.nav->UpdateTree(false); });
    b.Add("UpdateTree bClear", {}, [](Scene& s) { s.nav->UpdateTree(true); });
    b.Add(
        "command bar button UpdateNav",
        [](Scene& s) { s.excel.RegisterMacro("UpdateNav", [&s] { s.nav->UpdateTree(false); }); },
        [](Scene& s) { s.excel.PressCommandBarButton("BrackwellBar", 1); });
    b.Add("CreateNavBar", FailureStyle::NavBarBox, {"2", false}, {}, [](Scene& s) { s.nav->CreateNavBar(); });
    b.Add("CreateNavBar again", FailureStyle::NavBarBox, {}, {}, [](Scene& s) { s.nav->CreateNavBar(); });
    b.Add("SizeOn", {}, [](Scene& s) { s.nav->SizeOn(); });
    b.Add("DelNavBar", {}, [](Scene& s) { s.nav->DelNavBar(); });
    b.Add("destructor", {}, [](Scene& s) { s.nav.reset(); });
    b.Add("CreateLink saved", FailureStyle::LinkBox, {}, {}, [](Scene& s) { s.nav->CreateLink(s.umsatz); });
    b.Add("CreateLink never saved", FailureStyle::LinkBox, {}, {}, [](Scene& s) { s.nav->CreateLink(s.mappe); });

    // Excel 2016 and the COM add-in: its start, window switches and new
    // windows, the ribbon, the task pane's close box and its window going,
    // and its stop.
    const SceneSetup addin{"2", true, true};
    const auto windowEvent = [](EventKind kind, WorkbookPtr Scene::*wb) {
        return [kind, wb](Scene& s) {
            s.excel.PostEvent({kind, s.*wb, nullptr});
            s.excel.RunPendingEvents();
        };
    };
    b.Add("add-in start", FailureStyle::NavBarBoxOrSkip, {"2", false, true}, {}, [](Scene& s) { s.StartAddIn(); });
    b.Add("add-in window switch", FailureStyle::Skip, addin,
          [](Scene& s) { s.excel.ActivateSilently(s.mappe); }, windowEvent(EventKind::WindowActivate, &Scene::mappe));
    b.Add("add-in new window", FailureStyle::Skip, addin,
          [](Scene& s) { s.umsatz = s.excel.CreateWorkbook("Neu.xlsx", {"Tabelle1"}); },
          [windowEvent](Scene& s) {
              s.excel.PostEvent({EventKind::NewWorkbook, s.umsatz, nullptr});
              windowEvent(EventKind::WindowActivate, &Scene::umsatz)(s);
          });
    b.Add("add-in ribbon toggle", FailureStyle::Skip, addin, {}, [](Scene& s) {
        s.addin->ToggleNavigator(false);
        s.addin->ToggleNavigator(true);
    });
    b.Add("add-in ribbon refresh", FailureStyle::Skip, addin, {}, [](Scene& s) { s.addin->Refresh(); });
    b.Add("add-in close box", FailureStyle::Skip, addin, {},
          [](Scene& s) { s.panes->UserCloses(s.excel.WindowOf(s.umsatz)); });
    b.Add("add-in window going", FailureStyle::Skip, addin, {}, [windowEvent](Scene& s) {
        s.panes->WindowClosing(s.excel.WindowOf(s.umsatz));
        s.excel.ActivateSilently(s.mappe);
        windowEvent(EventKind::WindowActivate, &Scene::mappe)(s);
    });
    b.Add("add-in stop", FailureStyle::Skip, addin, {}, [](Scene& s) { s.addin->Disconnect(); });

    // Left and middle presses go to the node.
    b.Press("wb2", kLeft);
    b.Press("wb1|2", kLeft);
    b.Press("wb2|1", vb::kMiddleButton);
    b.Press("wb1#1", kLeft);
    b.Add("press on no node", {}, [](Scene& s) { s.Tree().PressAt(s.Tree().EmptyPoint(), kLeft); });

    // The workbook node's menu.
    b.Menu("go to", "wb2", "Gehe zu..");
    b.Menu("open", "wb1", "Öffnen", OpenFile());
    b.Menu("new workbook", "wb1", "Neue Mappe");
    b.Menu("new sheet", "wb2", "Neues Tabellenblatt");
    b.Menu("save", "wb1", "Speichern");
    b.Menu("save never saved", "wb2", "Speichern", SaveAs("C:\\Daten\\Mappe2.xlsx"));
    b.Menu("save as", "wb1", "Speichern unter..", SaveAs("C:\\Daten\\Kopie.xlsx"));
    b.Menu("shortcut", "wb1", "Desktopverknüpfung erstellen", {}, FailureStyle::LinkBox);
    b.Menu("shortcut never saved", "wb2", "Desktopverknüpfung erstellen", {}, FailureStyle::LinkBox);
    b.Menu("close", "wb1", "Schließen");
    b.Menu("close never saved", "wb2", "Schließen");

    // The worksheet node's menu, with the password dialog and the tab colour picker.
    b.Menu("go to", "wb2|2", "Gehe zu..");
    b.Menu("rename", "wb1|1", "Umbennen", TypeText("Jahr"));
    b.Menu("rename to a used name", "wb1|1", "Umbennen", TypeText("Februar"));
    b.Menu("protect with password", "wb1|1", "Blattschutz",
           [](Scene& s) { s.platform.DialogUser().Next("frmPwd").Type("txtPwd", "geheim").Press("mnuOk"); });
    b.Menu("protect without password", "wb2|1", "Blattschutz",
           [](Scene& s) { s.platform.DialogUser().Next("frmPwd").Press("mnuOk"); });
    b.Menu("protect cancelled", "wb1|1", "Blattschutz",
           [](Scene& s) { s.platform.DialogUser().Next("frmPwd").Press("mnuCancel"); });
    b.Menu("unprotect", "wb1|2", "Blattschutz aufheben");
    b.Menu("tab colour", "wb1|1", "Registerfarbe",
           [](Scene& s) { s.platform.DialogUser().Next("frmColIndex").Click("picCol", 5).Press("mnuOk"); });
    b.Menu("tab colour none", "wb1|1", "Registerfarbe",
           [](Scene& s) { s.platform.DialogUser().Next("frmColIndex").Press("mnuRetour"); });
    b.Menu("tab colour cancelled", "wb2|1", "Registerfarbe",
           [](Scene& s) { s.platform.DialogUser().Next("frmColIndex").Click("picCol", 9).Press("mnuCancel"); });
    b.Menu("copy", "wb1|1", "Kopieren");
    b.Menu("copy to new workbook", "wb1|2", "Kopieren in neue Mappe");
    b.Menu("move to new workbook", "wb2|1", "Verschieben in neue Mappe");
    b.Menu("delete", "wb2|2", "Löschen");

    // The defined-name node's menu.
    b.Menu("go to", "wb1#1", "Gehe zu..");
    b.Menu("rename", "wb1#1", "Umbennen", TypeText("Zahlen"));
    b.Menu("delete", "wb1#1", "Löschen");
    for (const char* key : {"wb1", "wb1|1", "wb1#1"}) {
        b.Add(
            std::string("menu ") + key + " dismissed", [](Scene& s) { s.Menu().DismissNext(); },
            [key = std::string(key)](Scene& s) { s.Tree().Press(key, kRight); });
    }

    // The pane menu, by position.
    b.PaneMenu("open", 1, OpenFile());
    b.PaneMenu("new workbook", 2);
    b.PaneMenu("about", 4, AboutBox([](headless::DialogScript& d) { d.Press("mnuOk"); }));
    b.PaneMenu("recent file", 6);
    b.PaneMenu("dismissed", 0);

    // The toolbar's buttons and drop-down items, on the selected node.
    b.Button("mnuNew", "wb1|1");
    b.Button("mnuOpen", "wb1", OpenFile());
    b.Button("mnuSave", "wb1|2");
    b.Button("mnuSave", "wb2", SaveAs("C:\\Daten\\Mappe2.xlsx"));
    b.Button("mnuMapClose", "wb1#1");
    b.Button("mnuTabDel", "wb1|1");
    b.Button("mnuTabDel", "wb1#1");
    b.Button("mnuInfo", "wb1", AboutBox([](headless::DialogScript& d) { d.Press("mnuSys").Press("mnuOk"); }));
    b.Item("mnuNew", "newMap", "wb1");
    b.Item("mnuNew", "newTab", "wb2|1");
    b.Item("mnuInfo", "mnuInfo", "wb1",
           AboutBox([](headless::DialogScript& d) { d.Press("mnuUrl").Click("lblURL").Press("mnuOk"); }));
    b.Item("mnuInfo", "mnuLink", "wb1");
    b.Item(
        "mnuInfo", "mnuOpt", "wb1|1",
        [](Scene& s) {
            s.Ui().ChooseColorNext(255);
            s.platform.DialogUser()
                .Next("frmOptions")
                .Click("optDraging", 3)
                .Click("chkMapExpand")
                .Click("chkForeReg")
                .Click("picFore", 1)
                .Click("optXP")
                .Press("mnuOk");
        },
        " saved");
    b.Item(
        "mnuInfo", "mnuOpt", "wb1|1",
        [](Scene& s) { s.platform.DialogUser().Next("frmOptions").Click("chkMapExpand").Press("mnuCancel"); },
        " cancelled");
    b.Item("mnuMapClose", "closeAll", "wb1");
    b.Item("mnuMapClose", "closeAllSaveYes", "wb1", SaveAs("C:\\Daten\\Mappe2.xlsx"));
    b.Item("mnuMapClose", "closeAllSaveNo", "wb1");

    // Drag and drop.
    b.Add("drag start", {}, [](Scene& s) { s.Tree().StartDrag("wb2|1"); });
    b.Add(
        "drag over and leave", [](Scene& s) { s.dragData = s.Tree().StartDrag("wb1|1"); },
        [](Scene& s) {
            s.Tree().DragOver(*s.dragData, s.Tree().PointOf("wb2"), 0);
            s.Tree().DragOver(*s.dragData, s.Tree().PointOf("wb2"), vb::kLeaveState);
        });
    b.Drop("copy onto its workbook", "2", "wb1|1", "wb1");
    b.Drop("move behind a sheet of another workbook", "3", "wb1|1", "wb2|1");
    b.Drop("asked, copy", "1", "wb2|2", "wb1", [](Scene& s) { s.Menu().ChooseNextByCaption("Kopieren .."); });
    b.Drop("asked, move", "1", "wb2|1", "wb2|2", [](Scene& s) { s.Menu().ChooseNextByCaption("Verschieben .."); });
    b.Drop("asked, dismissed", "1", "wb1|1", "wb2", [](Scene& s) { s.Menu().DismissNext(); });
    b.Drop("onto a name", "2", "wb1|1", "wb1#1");
    b.Drop("onto itself", "2", "wb1|1", "wb1|1");
    b.Drop("where no node is", "2", "wb1|1", "");
    b.Drop("of a workbook node", "2", "wb2", "wb1");
    b.Add("drop foreign text", FailureStyle::Beep, {}, {}, [](Scene& s) {
        headless::HeadlessDataObject foreign("Hallo aus dem Editor");
        s.Tree().Drop(foreign, s.Tree().PointOf("wb2"));
    });
    b.Add("drop a stale key", FailureStyle::Beep, {}, {}, [](Scene& s) {
        headless::HeadlessDataObject stale("wb1|9");
        s.Tree().Drop(stale, s.Tree().PointOf("wb2"));
    });
    return std::move(b.entries);
}

}  // namespace brackwell::reliability

// Event storms: a seeded random mix of the host's events (fired at once or
// queued until the component lets pending events run, so that they arrive
// nested inside a rebuild or a command), the user's own work in the host and
// the pane's commands. At every quiet point the tree must show exactly what
// an independent reading of the host says, its items exactly its nodes, and
// nothing may have failed. Each seed storms Excel 2000-2003 (the pane in
// the command-bar dock) and Excel 2016 (the COM add-in, a window per
// workbook opened, switched and closed, the pane in the active window's task
// pane, which the user closes, resizes and toggles from the ribbon).
// BRACKWELL_STORM_SEED=n runs that one seed; a
// failure names its seed. BRACKWELL_STORM_SEEDS=first-last is the long run
// before a release: every seed of the range, each reported, all failures
// named at the end.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "excel_standin/embedded/embedded_excel.h"
#include "adapters/headless/headless_platform.h"
#include "core/addin.h"
#include "core/component.h"
#include "core/wayfinder.h"
#include "excel_standin/embedded/embedded_task_panes.h"
#include "tree/palette.h"

namespace brackwell::reliability {
namespace {

using embedded::EventKind;

constexpr int kStepsPerSeed = 1500;
constexpr std::int16_t kLeft = vb::kLeftButton;
constexpr std::int16_t kRight = vb::kRightButton;

// One node as the tree must show it.
struct ExpectedNode {
    std::string key;
    std::string text;
    int depth = 0;
    Color foreColor = kSystemWindowText;
    bool bold = false;
    bool expanded = false;  // workbook nodes only
    bool selected = false;

    std::string Describe() const {
        std::ostringstream out;
        out << std::string(2 * depth, ' ') << key << "=" << text << " colour " << foreColor << (bold ? " bold" : "")
            << (expanded ? " open" : "") << (selected ? " selected" : "");
        return out.str();
    }
};

// The tree after a rebuild, read from the host through its object model the
// way a careful user would describe it.
std::vector<ExpectedNode> ReadExpectedTree(Application& app, const Settings& s, std::int32_t hostVersion) {
    std::vector<ExpectedNode> nodes;
    const WorkbookPtr activeBook = app.ActiveWorkbook();
    const SheetPtr activeSheet = app.ActiveSheet();
    const std::string activeName = activeBook ? activeBook->Name() : "";
    const std::string activeSheetName = activeSheet ? activeSheet->Name() : "";
    const WorkbooksPtr books = app.Workbooks();
    for (std::int32_t i = 1; i <= books->Count(); ++i) {
        const WorkbookPtr wb = books->Item(i);
        if (!wb->Windows()->Item(1)->Visible()) continue;
        const std::string key = "wb" + std::to_string(i);
        const bool active = wb->Name() == activeName;
        nodes.push_back({key, wb->Name(), 0, s.WBFore, active, active || s.MapExpand, false});
        const SheetsPtr sheets = wb->Worksheets();
        for (std::int32_t j = 1; j <= sheets->Count(); ++j) {
            const SheetPtr ws = sheets->Item(j);
            ExpectedNode node{key + "|" + std::to_string(j), ws->Name() + (ws->ProtectContents() ? " (geschützt)" : ""),
                              1};
            if (!s.SetForeReg) {
                node.foreColor = s.SHFore;
            } else if (hostVersion > 9) {
                const std::int32_t tab = ws->Tab()->ColorIndex();
                node.foreColor = tab == xl::kColorIndexNone ? s.SHFore : ColorIndexToRgb(tab);
            }
            node.bold = node.selected = active && ws->Name() == activeSheetName;
            nodes.push_back(node);
        }
        const DefinedNamesPtr names = wb->Names();
        for (std::int32_t k = 1; k <= names->Count(); ++k) {
            const DefinedNamePtr nm = names->Item(k);
            if (!nm->Visible()) continue;
            nodes.push_back(
                {key + "#" + std::to_string(k), nm->Name() + " (" + nm->RefersTo().substr(1) + ")", 1, s.NameFore});
        }
    }
    return nodes;
}

struct StormFigures {
    int events = 0;    // host events fired or queued by the storm itself
    int queued = 0;    // of them queued, to arrive nested
    int hostWork = 0;  // the user's own changes in the host, with the host's events
    int commands = 0;  // presses, menu commands, toolbar clicks and drops in the pane
    int nodesChecked = 0;
    int failedRebuilds = 0;  // rebuilds stopped by a failing host call
    int itemsChecked = 0;    // control items compared with the nodes they show
    int itemsRefused = 0;    // nodes found without an item the control refused (or one above it)
    int windowWork = 0;      // Excel 2016: window switches, bursts of windows, the task pane's close box and toggle
    int taskPaneChecks = 0;  // quiet points at which the task panes were checked

    void Add(const StormFigures& o) {
        events += o.events, queued += o.queued, hostWork += o.hostWork, commands += o.commands;
        nodesChecked += o.nodesChecked, failedRebuilds += o.failedRebuilds, itemsChecked += o.itemsChecked;
        itemsRefused += o.itemsRefused, windowWork += o.windowWork, taskPaneChecks += o.taskPaneChecks;
    }
};

enum class Generation { Excel2003, Excel2016 };

class Storm {
public:
    Storm(unsigned seed, Generation generation) : random_(seed), perWindow_(generation == Generation::Excel2016) {
        platform.HeadlessUi().SetDoEventsHook([this] { excel.RunPendingEvents(); });
        const char* versions[] = {"9.0", "10.0", "11.0"};
        excel.SetVersion(perWindow_ ? "16.0" : versions[Pick(3)]);
        Store("MapExpand", Chance(2) ? "True" : "False");
        Store("SetForeReg", Chance(3) ? "False" : "True");
        Store("Drag", Chance(2) ? "2" : "3");
        Store("WBFore", std::to_string(Pick(1 << 24)));
        Store("SHFore", std::to_string(Pick(1 << 24)));
        Store("NameFore", std::to_string(Pick(1 << 24)));

        if (perWindow_) {
            MakeWindowsPerWorkbook();
        } else {
            auto& windows = platform.HeadlessWindows();
            const WindowHandle main = windows.NewWindow("XLMAIN", "Microsoft Excel", 0, 10, 20, 1200, 900);
            windows.NewWindow("EXCEL2", "", main, 0, 100, 240, 700);
            excel.SetHwnd(main);
        }
        const WorkbookPtr umsatz = excel.CreateWorkbook("Umsatz.xlsx", {"Januar", "Februar", "Q1 2024"}, "C:\\Daten");
        const SheetPtr q1 = umsatz->Worksheets()->Item(3);
        excel.AddName(umsatz, "Daten", "=Januar!$A$1");
        excel.AddName(umsatz, "Summe", "=Februar!$B$2:$C$9", umsatz->Worksheets()->Item(2));
        excel.AddName(umsatz, "_xlnm.Print_Area", "='Q1 2024'!$A$1:$C$20", q1);
        excel.AddName(umsatz, "_xlnm.Print_Titles", "='Q1 2024'!$A:$A,'Q1 2024'!$1:$1", q1);
        excel.SetNameVisible(excel.AddName(umsatz, "_xlnm._FilterDatabase", "='Q1 2024'!$A$1:$D$50", q1), false);
        excel.AddChartSheet(umsatz, "Diagramm1", 2);
        excel.SetTabColor(umsatz->Worksheets()->Item(1), 3);
        // A hidden name with the text of a visible one in another workbook.
        excel.SetNameVisible(excel.AddName(excel.CreateWorkbook("売上.xlsx", {"Übersicht"}, "C:\\Daten"), "Daten",
                                           "=Übersicht!$B$2"),
                             false);
        excel.SetWindowVisible(excel.CreateWorkbook("PERSONAL.XLSB", {"Tabelle1"}, "C:\\Start"), false);
        for (const char* file : {"C:\\Daten\\Alt.xlsx", "C:\\Daten\\Archiv.xlsx"}) {
            embedded::WorkbookContent content;
            content.sheets.emplace_back().name = "Blatt1";
            content.sheets.emplace_back().name = "Blatt2";
            content.names.push_back({"Bereich", "=Blatt1!$A$1:$A$4", std::nullopt});
            content.names.push_back({"_xlnm.Print_Area", "=Blatt2!$A$1:$B$2", "Blatt2"});
            content.names.push_back({"Alt", "='C:\\Daten\\[Zu.xlsx]Blatt1'!$A$1", std::nullopt, true});
            excel.MemoryFiles().Put(file, content);
            excel.AddRecentFile(file);
        }
        // A workbook whose only sheet is a chart sheet: no worksheet to pick.
        embedded::WorkbookContent charts;
        charts.sheets.emplace_back().name = "Diagramm1";
        charts.sheets.back().kind = embedded::SheetKind::Chart;
        excel.MemoryFiles().Put("C:\\Daten\\Diagramme.xlsx", charts);
        App()->Workbooks()->Open("C:\\Daten\\Diagramme.xlsx");
        excel.ActivateSilently(umsatz);

        if (perWindow_) {
            addin = std::make_shared<AddIn>(component);
            addin->Connect(excel.App());
            addin->TaskPanesAvailable(panes);
        } else {
            nav = std::make_unique<Wayfinder>(component);
            nav->set_mExcel(excel.App());
            nav->CreateNavBar();
        }
    }
    ~Storm() {
        if (addin) addin->Disconnect();
        nav.reset();
    }

    // One step of the storm, then the quiet point; a failure described, or "".
    std::string Step(int step) {
        Tree().KeepItems();  // the pane's tree may be a new one
        // Now and then the control refuses some items, as a control short of
        // memory may: nothing below them gets one either.
        refusing_ = Chance(10);
        Tree().RefuseItemInserts(refusing_ ? std::function([this](const shared::TreeModel::Node&) { return Chance(4); })
                                           : nullptr);
        if (Chance(12)) {
            // A rebuild that a failing host call stops half-way: the nodes
            // built so far stay, and the items show exactly those.
            excel.FailCall(1 + Pick(40), 1004, "Anwendungs- oder objektdefinierter Fehler");
            Navigator().UpdateTree();
            excel.ClearFaults();
            ++figures.failedRebuilds;
            boxesSeen_ = platform.HeadlessUi().MessageBoxes().size();
            const std::string failure = CheckItems();
            if (!failure.empty()) return "step " + std::to_string(step) + " (failed rebuild): " + failure;
        }
        excel.SetDeferEvents(Chance(3));
        Act();
        excel.SetDeferEvents(false);
        excel.RunPendingEvents();
        // The user's next action in the host raises one more event; after it
        // the tree must be the host's (or empty, after a deactivation that
        // leaves at most one visible workbook).
        const EventKind last = FireEvent(false, true);
        lastEventEmptied_ = last == EventKind::WorkbookDeactivate && VisibleBooks() <= 1;
        return Check(step);
    }

    headless::HeadlessPlatform platform;
    embedded::EmbeddedExcel excel{"11.0"};
    Component component{platform};
    std::unique_ptr<Wayfinder> nav;             // Excel 2003: started as the host-side module does
    std::shared_ptr<AddIn> addin;               // Excel 2016: the COM add-in
    std::shared_ptr<embedded::EmbeddedTaskPanes> panes;
    StormFigures figures;

private:
    Wayfinder& Navigator() { return addin ? *addin->Navigator() : *nav; }

    // Excel 2016: a top-level window per workbook, its task panes' content
    // windows inside it; a closing window takes its panes' content first.
    void MakeWindowsPerWorkbook() {
        auto& windows = platform.HeadlessWindows();
        excel.SetWindowMaker(
            [&windows](const std::string& caption) {
                const WindowHandle window = windows.NewWindow("XLMAIN", caption, 0, 0, 0, 1000, 700);
                windows.SetVisible(window, true);
                return window;
            },
            [this, &windows](WindowHandle window) {
                panes->WindowClosing(window);
                windows.DestroyWindow(window);
            });
        embedded::PaneWindows paneWindows{
            [&windows](WindowHandle host, std::int32_t width) {
                return windows.NewWindow("TaskPaneContent", "", host, 0, 30, width, 600);
            },
            [&windows](WindowHandle content, std::int32_t width) {
                const WindowRect r = windows.RectInParent(content);
                windows.MoveWindow(content, r.left, r.top, width, r.bottom - r.top, true);
            },
            [&windows](WindowHandle content, bool visible) { windows.SetVisible(content, visible); },
            [&windows](WindowHandle content) { windows.DestroyWindow(content); }};
        panes = std::make_shared<embedded::EmbeddedTaskPanes>(excel, paneWindows, 0);
    }

    // 0 .. n-1; 0 when there is nothing to pick from.
    int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int oneIn) { return Pick(oneIn) == 0; }
    void Store(const char* key, const std::string& value) {
        platform.Settings().SaveSetting("Brackwell", "Settings", key, value);
    }
    std::string Fresh(const char* stem) { return stem + std::to_string(++counter_); }

    headless::HeadlessTree& Tree() { return platform.NavForm()->TreeControl(); }
    ApplicationPtr App() { return excel.App(); }
    std::int32_t BookCount() { return App()->Workbooks()->Count(); }
    WorkbookPtr AnyBook() { return App()->Workbooks()->Item(1 + Pick(BookCount())); }
    // None in a workbook whose sheets left are all chart sheets.
    SheetPtr AnySheet(const WorkbookPtr& wb) {
        const std::int32_t count = wb->Worksheets()->Count();
        return count == 0 ? nullptr : wb->Worksheets()->Item(1 + Pick(count));
    }
    std::string AnyNodeKey() {
        const auto& nodes = Tree().Model().Collection();
        return nodes.empty() ? "" : nodes[static_cast<std::size_t>(Pick(static_cast<int>(nodes.size())))]->Key();
    }
    bool Shown(const std::string& key) {
        const auto node = Tree().Model().Find(key);
        return node && Tree().Model().IsShown(*node) && Tree().IsInView(key);
    }

    int VisibleBooks() {
        int count = 0;
        for (const WorkbookPtr& wb : App()->Workbooks()->Enumerate())
            count += wb->Windows()->Item(1)->Visible() && !wb->IsAddin();
        return count;
    }

    // The last event of a step is one the tree rebuilds on, as the check assumes.
    EventKind FireEvent(bool queued, bool last = false) {
        static const EventKind kinds[] = {EventKind::WorkbookDeactivate, EventKind::WorkbookOpen,
                                          EventKind::WorkbookActivate,   EventKind::NewWorkbook,
                                          EventKind::WorkbookNewSheet,   EventKind::WorkbookBeforeSave,
                                          EventKind::SheetActivate};
        embedded::PendingEvent event{kinds[Pick(7)], BookCount() ? AnyBook() : nullptr, nullptr};
        if (perWindow_ && !last && Chance(4)) {
            // Excel raises WindowActivate only for the window that is active.
            event.kind = Chance(2) ? EventKind::WindowDeactivate : EventKind::WindowActivate;
            if (event.kind == EventKind::WindowActivate) event.workbook = App()->ActiveWorkbook();
            if (!event.workbook) return event.kind;
        }
        ++figures.events;
        if (queued) ++figures.queued;
        excel.PostEvent(event);
        if (!queued) excel.RunPendingEvents();
        return event.kind;
    }

    // The user's work in the host itself, each with the events the host raises.
    void HostWork() {
        if (BookCount() < 2 || (BookCount() < MaxBooks() && Chance(8))) {
            App()->Workbooks()->Add();
            return;
        }
        const WorkbookPtr wb = AnyBook();
        // The worksheet the user works on; a workbook may have none left but chart sheets.
        const SheetPtr ws = AnySheet(wb);
        switch (Pick(12)) {
            case 0:
                if (BookCount() > 3 || (perWindow_ && BookCount() > 1)) wb->Close(false);
                break;
            case 1: wb->Activate(); break;
            case 2:
                if (ws) ws->Activate();
                break;
            case 3:
                if (wb->Worksheets()->Count() < 6) wb->Worksheets()->Add();
                break;
            case 4:
                if (wb->Worksheets()->Count() > 1) ws->Delete();
                break;
            case 5:
                if (ws) ws->SetName(Fresh("Blatt"));
                break;
            case 6:
                if (!ws) break;
                if (ws->ProtectContents())
                    ws->Unprotect(std::nullopt);
                else
                    ws->Protect(std::nullopt);
                break;
            case 7:
                if (ws && component.HostVersion > 9)
                    ws->Tab()->SetColorIndex(Chance(4) ? xl::kColorIndexNone : 1 + Pick(56));
                break;
            case 8:
                if (ws) ws->Copy(nullptr, AnySheet(wb));
                break;
            case 9:
                if (wb->Names()->Count() > 0) wb->Names()->Item(1 + Pick(wb->Names()->Count()))->SetName(Fresh("Name"));
                break;
            case 10: App()->Workbooks()->Open(Chance(2) ? "C:\\Daten\\Alt.xlsx" : "C:\\Daten\\Archiv.xlsx"); break;
            case 11: {
                // A window hidden or shown again; the next event shows it.
                const bool visible = wb->Windows()->Item(1)->Visible();
                if (!visible || VisibleBooks() > 2) excel.SetWindowVisible(wb, !visible);
                // Excel 2016 activates another window when the active one is
                // hidden, and a window shown again.
                if (perWindow_ && !visible) wb->Activate();
                if (perWindow_ && visible && App()->ActiveWorkbook()) {
                    excel.PostEvent({EventKind::WindowActivate, App()->ActiveWorkbook(), nullptr});
                    excel.RunPendingEvents();
                }
                break;
            }
        }
    }

    // Up to twenty windows in Excel 2016.
    std::int32_t MaxBooks() const { return perWindow_ ? 20 : 6; }

    // Excel 2016's windows and task panes: switching, a burst of windows
    // opened and closed, the task pane's close box and edge, the ribbon's toggle.
    void WindowWork() {
        const WindowPtr active = App()->ActiveWindow();
        const WindowHandle window = active ? active->Hwnd() : 0;
        switch (Pick(5)) {
            case 0:
                if (BookCount() > 0) AnyBook()->Activate();
                break;
            case 1:
                for (int n = 1 + Pick(4); n > 0 && BookCount() < MaxBooks(); --n) App()->Workbooks()->Add();
                AnyBook()->Activate();
                while (BookCount() > 4 && Chance(3)) AnyBook()->Close(false);
                break;
            case 2:
                if (window) panes->UserCloses(window);
                break;
            case 3:
                if (window) panes->UserResizes(window, 100 + Pick(300));
                break;
            case 4: addin->ToggleNavigator(Chance(2)); break;
        }
    }

    // What the user does in the pane.
    void PaneWork() {
        auto& ui = platform.HeadlessUi();
        auto& menu = *platform.LastPopupMenu();
        auto& dialogs = platform.DialogUser();
        const std::string key = AnyNodeKey();
        switch (Pick(6)) {
            case 0:
                if (Shown(key)) Tree().Press(key, Chance(2) ? kLeft : vb::kMiddleButton);
                break;
            case 1: {
                if (!Shown(key)) break;
                static const std::vector<std::string> bookItems = {"Gehe zu..", "Neues Tabellenblatt", "Speichern",
                                                                   "Desktopverknüpfung erstellen", "Schließen"};
                static const std::vector<std::string> sheetItems = {
                    "Gehe zu..", "Umbennen", "Blattschutz", "Blattschutz aufheben", "Registerfarbe", "Kopieren",
                    "Kopieren in neue Mappe", "Löschen"};
                static const std::vector<std::string> nameItems = {"Gehe zu..", "Umbennen", "Löschen"};
                const auto& items = key.find('|') != std::string::npos   ? sheetItems
                                    : key.find('#') != std::string::npos ? nameItems
                                                                         : bookItems;
                menu.ChooseNextByCaption(items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))]);
                ui.TypeNext(Fresh("Neu"));
                dialogs.Next("frmPwd")
                    .Type("txtPwd", Chance(2) ? "geheim" : "")
                    .Press(Chance(3) ? "mnuCancel" : "mnuOk");
                dialogs.Next("frmColIndex").Click("picCol", 1 + Pick(56)).Press("mnuOk");
                excel.User().saveAsAnswers.push("C:\\Daten\\" + Fresh("Mappe") + ".xlsx");
                Tree().Press(key, kRight);
                break;
            }
            case 2: {
                static const std::vector<std::string> buttons = {"mnuSave", "mnuTabDel", "mnuMapClose", "mnuNew"};
                if (Shown(key)) Tree().SetSelectedItem(Tree().Nodes().Item(key));
                const std::string& button = buttons[static_cast<std::size_t>(Pick(4))];
                if (button != "mnuMapClose" || BookCount() > 3) platform.NavForm()->BarControl().Click(button);
                break;
            }
            case 3: {
                if (Shown(key)) Tree().SetSelectedItem(Tree().Nodes().Item(key));
                auto& bar = platform.NavForm()->BarControl();
                if (Chance(2)) {
                    bar.ChooseMenuItem("mnuNew", Chance(3) ? "newMap" : "newTab");
                } else {
                    dialogs.Next("frmOptions")
                        .Click("chkMapExpand")
                        .Click("chkForeReg")
                        .Press(Chance(2) ? "mnuOk" : "mnuCancel");
                    bar.ChooseMenuItem("mnuInfo", "mnuOpt");
                }
                break;
            }
            case 4: {
                const std::string target = AnyNodeKey();
                if (key.find('|') == std::string::npos || !Shown(key)) break;
                const auto data = Tree().StartDrag(key);
                if (Shown(target)) Tree().Drop(*data, Tree().PointOf(target));
                break;
            }
            case 5: {
                // Below the last row, when the rows leave room there.
                const auto rows =
                    static_cast<std::int32_t>(Tree().Model().ShownNodes().size()) - Tree().FirstVisibleRow();
                if (BookCount() >= MaxBooks() || rows >= Tree().VisibleRowCount()) break;
                menu.ChooseNext(Chance(2) ? 2 : 6);  // a new workbook, or the first recent file
                Tree().PressAt(Tree().EmptyPoint(), kRight);
                break;
            }
        }
    }

    void Act() {
        switch (Pick(perWindow_ ? 5 : 4)) {
            case 0: FireEvent(false); break;
            case 1:
                for (int n = 1 + Pick(4); n > 0; --n) FireEvent(true);
                break;
            case 2:
                ++figures.hostWork;
                try {
                    HostWork();
                } catch (const AutomationError&) {
                    // The host refused the user (the last visible sheet, a hidden window ...).
                }
                break;
            case 3:
                ++figures.commands;
                PaneWork();
                break;
            case 4:
                ++figures.windowWork;
                try {
                    WindowWork();
                } catch (const AutomationError&) {
                }
                break;
        }
        // Events queued meanwhile now arrive nested in whatever runs next.
        if (Chance(2)) FireEvent(true);
    }

    std::string Check(int step) {
        platform.HeadlessUi().RunPostedTasks();  // the host's message loop is idle at a quiet point
        std::ostringstream why;
        const auto& boxes = platform.HeadlessUi().MessageBoxes();
        for (std::size_t i = boxesSeen_; i < boxes.size(); ++i) {
            if (boxes[i].title == "Fehler" || boxes[i].title.rfind("CreateNavBar", 0) == 0)
                why << "failure shown: " << boxes[i].prompt << "\n";
        }
        boxesSeen_ = boxes.size();
        why << CheckItems();
        if (excel.EventSinkFailures() != 0) why << "a host event handler threw\n";
        if (platform.HeadlessWindows().LockedWindow() != 0 || Tree().UpdateDepth() != 0)
            why << "painting left frozen\n";

        // A deactivation that leaves at most one visible workbook empties the tree.
        const std::vector<ExpectedNode> expected =
            lastEventEmptied_ ? std::vector<ExpectedNode>{}
                              : ReadExpectedTree(*App(), component.settings, component.HostVersion);
        std::vector<ExpectedNode> shown;
        for (const auto& node : Tree().Model().DisplayOrder()) {
            shown.push_back({node->Key(), std::string(node->Text()), node->Depth(), node->ForeColor(), node->Bold(),
                             node->Depth() == 0 && node->ExpandedFlag(), node->Selected()});
            if (node->Depth() != 0) shown.back().expanded = false;
        }
        const auto describe = [](const std::vector<ExpectedNode>& nodes) {
            std::string text;
            for (const auto& n : nodes) text += "    " + n.Describe() + "\n";
            return text;
        };
        if (describe(shown) != describe(expected))
            why << "the tree differs from the host\n  shown:\n"
                << describe(shown) << "  expected:\n"
                << describe(expected);
        figures.nodesChecked += static_cast<int>(expected.size());
        if (perWindow_) why << CheckTaskPanes();
        const std::string failure = why.str();
        return failure.empty() ? "" : "step " + std::to_string(step) + ": " + failure;
    }

    // Excel 2016: every visible workbook window has one task pane and no
    // other pane is left; the pane form lives on, in the active window's
    // task pane while the user wants it shown, and on screen exactly then.
    std::string CheckTaskPanes() {
        std::ostringstream why;
        auto& windows = platform.HeadlessWindows();
        for (const auto& pane : panes->Panes()) {
            // A pane never shown has no content: nothing tells of its window's
            // end until the next window activates, and nothing of it is left.
            if (!pane.deleted && pane.content != 0 && !windows.IsWindow(pane.hostWindow))
                why << "a task pane is left for the closed window " << pane.hostWindow << " (content " << pane.content
                    << ")\n";
        }
        for (const WorkbookPtr& wb : App()->Workbooks()->Enumerate()) {
            if (!wb->Windows()->Item(1)->Visible()) continue;
            const WindowHandle window = excel.WindowOf(wb);
            std::size_t count = 0;
            for (const auto& pane : panes->Panes()) count += !pane.deleted && pane.hostWindow == window;
            if (count != 1) why << wb->Name() << "'s window has " << count << " task panes\n";
        }
        if (!windows.IsWindow(component.PaneHwnd)) return why.str() + "the pane form is gone\n";
        const WindowPtr active = App()->ActiveWindow();
        const bool shown = addin->NavigatorPressed();
        if (shown && active) {
            WindowHandle content = 0;
            for (const auto& pane : panes->Panes())
                if (!pane.deleted && pane.hostWindow == active->Hwnd()) content = pane.content;
            if (windows.Parent(component.PaneHwnd) != content || !windows.IsOnScreen(component.PaneHwnd))
            {
                why << "the pane is not shown in the active window's task pane (active " << active->Hwnd()
                    << ", content " << content << ", form in " << windows.Parent(component.PaneHwnd)
                    << (windows.IsOnScreen(component.PaneHwnd) ? ", on screen" : ", hidden") << "; panes:";
                for (const auto& pane : panes->Panes())
                    why << " " << pane.hostWindow << "/" << pane.content << (pane.visible ? "" : " hidden")
                        << (pane.deleted ? " deleted" : "");
                why << ")\n";
            }
        }
        if (!shown && windows.IsOnScreen(component.PaneHwnd)) why << "the pane shows though the user hid it\n";
        ++figures.taskPaneChecks;
        return why.str();
    }

    // The items the reconciling rebuilds left against what a control filled
    // from empty shows: an item per node, in the nodes' order, each showing
    // its node's text, picture, colour and boldness, open exactly when the node is.
    // While the control refuses items, the nodes without one are left out,
    // and with them everything below them.
    std::string CheckItems() {
        const std::vector<headless::HeadlessItems::Row> rows = Tree().ItemRows();
        std::vector<shared::TreeModel::NodePtr> nodes;
        std::ostringstream why;
        for (const shared::TreeModel::NodePtr& node : Tree().Model().DisplayOrder()) {
            const shared::TreeModel::NodePtr parent = node->Parent();
            if (node->platformItem && parent && !parent->platformItem)
                why << "node " << node->Key() << " has an item, its parent none\n";
            if (node->platformItem) {
                nodes.push_back(node);
            } else if (!refusing_) {
                why << "node " << node->Key() << " has no item\n";
            } else {
                ++figures.itemsRefused;
            }
        }
        if (rows.size() != nodes.size()) why << rows.size() << " items for " << nodes.size() << " nodes\n";
        for (std::size_t i = 0; i < std::min(rows.size(), nodes.size()); ++i) {
            const auto& row = rows[i];
            const auto& node = *nodes[i];
            // Open or not shows only with children to show.
            const bool childItems = std::any_of(node.Children().begin(), node.Children().end(),
                                                [](const auto& child) { return child->platformItem != 0; });
            if (row.handle != node.platformItem || row.depth != node.Depth() || row.text != node.Text() ||
                row.image != node.Image() || row.color != node.ForeColor() || row.bold != node.Bold() ||
                (childItems && row.open != node.Open())) {
                why << "item " << i << " (" << row.text << ") does not show node " << node.Key() << " ("
                    << node.Text() << ")\n";
                break;
            }
        }
        figures.itemsChecked += static_cast<int>(rows.size());
        return why.str();
    }

    std::mt19937 random_;
    bool perWindow_;  // Excel 2016
    bool refusing_ = false;  // the control refuses the items of one text this step
    std::size_t boxesSeen_ = 0;  // message boxes already looked at
    int counter_ = 0;
    bool lastEventEmptied_ = false;
};

// The seeds: the three of every test run, the one BRACKWELL_STORM_SEED
// names, or the range BRACKWELL_STORM_SEEDS=first-last gives (the long run).
struct SeedPlan {
    std::vector<unsigned> seeds;
    bool longRun = false;
};

SeedPlan Seeds() {
    if (const char* range = std::getenv("BRACKWELL_STORM_SEEDS")) {
        char* dash = nullptr;
        const unsigned long first = std::strtoul(range, &dash, 10);
        const unsigned long last = *dash == '-' ? std::strtoul(dash + 1, nullptr, 10) : first;
        SeedPlan plan{{}, true};
        for (unsigned long seed = first; seed <= last; ++seed) plan.seeds.push_back(static_cast<unsigned>(seed));
        return plan;
    }
    if (const char* seed = std::getenv("BRACKWELL_STORM_SEED"))
        return {{static_cast<unsigned>(std::strtoul(seed, nullptr, 10))}};
    return {{20261, 4242, 777}};
}

// One seed to its end or its first failure: the failure, or "".
std::string RunSeed(unsigned seed, Generation generation, int& steps, StormFigures& total) {
    const std::string which = std::string(generation == Generation::Excel2016 ? "Excel 2016, " : "Excel 2003, ") +
                              "seed " + std::to_string(seed) + " (BRACKWELL_STORM_SEED=" + std::to_string(seed) + "), ";
    Storm storm(seed, generation);
    for (int step = 1; step <= kStepsPerSeed; ++step) {
        std::string failure;
        try {
            failure = storm.Step(step);
        } catch (const std::exception& e) {
            failure = "step " + std::to_string(step) + " threw: " + e.what();
        }
        ++steps;
        if (!failure.empty()) return which + failure;
    }
    total.Add(storm.figures);
    return "";
}

// The long run goes on past a failing seed and names every one at the end;
// a line per seed, so that the last one names a seed that brought the
// process down.
TEST(EventStorm, TheTreeShowsTheHostAtEveryQuietPoint) {
    const SeedPlan plan = Seeds();
    int steps = 0;
    StormFigures total;
    std::vector<std::string> failures;
    std::size_t clean = 0;
    for (const unsigned seed : plan.seeds) {
        if (plan.longRun) std::cout << "seed " << seed << std::flush;
        std::string failure = RunSeed(seed, Generation::Excel2003, steps, total);
        if (failure.empty()) failure = RunSeed(seed, Generation::Excel2016, steps, total);
        if (plan.longRun) std::cout << (failure.empty() ? " clean" : " FAILED") << std::endl;
        if (failure.empty()) ++clean;
        if (!failure.empty()) failures.push_back(std::move(failure));
        if (!failures.empty() && !plan.longRun) break;
    }
    for (const std::string& failure : failures) ADD_FAILURE() << failure;
    std::cout << "event storm: " << steps << " steps over " << plan.seeds.size() << " seeds ("
              << clean << " clean): " << total.events << " host events sent ("
              << total.queued << " queued to arrive nested), " << total.hostWork << " changes in the host, "
              << total.commands << " pane commands, " << total.windowWork << " window and task-pane actions, "
              << total.failedRebuilds
              << " rebuilds stopped by a failing host call; " << total.nodesChecked
              << " nodes agreed with the host at the quiet points, " << total.itemsChecked
              << " control items with the nodes they show (" << total.itemsRefused << " nodes left without one), "
              << total.taskPaneChecks << " quiet points with the task panes checked\n";
    if (failures.empty()) {
        EXPECT_GT(total.nodesChecked, steps);
    }
}

}  // namespace
}  // namespace brackwell::reliability

#pragma once
// The fixed scene every run of the fault sweep starts from: a navigator on
// the embedded host with its pane shown, two visible workbooks and a hidden
// one, a chart sheet, a protected sheet, a coloured tab, a defined name and a
// recent file; every node expanded so that each can be pressed.
//
//   wb1  Umsatz.xlsx (saved in C:\Daten)   wb1|1 Januar (tab colour 3)
//                                          wb1|2 Februar (protected)
//                                          (Diagramm1, a chart sheet)
//                                          wb1#1 Daten =Januar!$A$1
//   wb2  Mappe2 (never saved)              wb2|1 Tabelle1, wb2|2 Tabelle2
//   (wb3 PERSONAL.XLSB, hidden)

#include <memory>
#include <string>

#include "excel_standin/embedded/embedded_excel.h"
#include "excel_standin/embedded/embedded_task_panes.h"
#include "adapters/headless/headless_platform.h"
#include "core/addin.h"
#include "core/component.h"
#include "core/wayfinder.h"

namespace brackwell::reliability {

// Two sinks around the navigator's own: the first hears each host event
// before the navigator, the second after it, so between them a handler of
// the navigator is running.
class HandlerProbe {
public:
    bool InHandler() const { return depth_ > 0; }

    class Edge final : public AppEvents {
    public:
        Edge(int& depth, int step) : depth_(depth), step_(step) {}
        void WorkbookDeactivate(const WorkbookPtr&) override { depth_ += step_; }
        void WorkbookOpen(const WorkbookPtr&) override { depth_ += step_; }
        void WorkbookActivate(const WorkbookPtr&) override { depth_ += step_; }
        void NewWorkbook(const WorkbookPtr&) override { depth_ += step_; }
        void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override { depth_ += step_; }
        void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override { depth_ += step_; }
        void SheetActivate(const SheetPtr&) override { depth_ += step_; }
        void WindowActivate(const WorkbookPtr&, const WindowPtr&) override { depth_ += step_; }
        void WindowDeactivate(const WorkbookPtr&, const WindowPtr&) override { depth_ += step_; }

    private:
        int& depth_;
        int step_;
    };

    Edge begin{depth_, +1};
    Edge end{depth_, -1};

private:
    int depth_ = 0;
};

struct SceneSetup {
    std::string drag = "2";  // the stored Drag setting
    bool pane = true;        // CreateNavBar during set-up (with addin: the add-in's start)
    // Excel 2016 with a window per workbook and task panes, the navigator
    // started by the COM add-in instead of the host-side module.
    bool addin = false;
};

class Scene {
public:
    explicit Scene(const SceneSetup& setup);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    headless::HeadlessNavForm& Form();  // fails while there is no pane
    headless::HeadlessTree& Tree() { return Form().TreeControl(); }
    headless::HeadlessToolbar& Bar() { return Form().BarControl(); }
    headless::HeadlessPopupMenu& Menu() { return *platform.LastPopupMenu(); }
    headless::HeadlessUserInterface& Ui() { return platform.HeadlessUi(); }
    // Selects a node as a press would, without the press's host calls.
    void Select(const std::string& key);

    // In the order they must outlive each other.
    headless::HeadlessPlatform platform;
    embedded::EmbeddedExcel excel{"11.0"};
    Component component{platform};
    HandlerProbe probe;
    std::unique_ptr<EventConnection> probeBegin;
    std::unique_ptr<Wayfinder> nav;
    std::shared_ptr<embedded::EmbeddedTaskPanes> panes;  // with SceneSetup::addin
    std::shared_ptr<AddIn> addin;
    std::unique_ptr<EventConnection> probeEnd;
    // The add-in's start as Excel makes it: OnConnection, then the task panes.
    void StartAddIn();

    WorkbookPtr umsatz;
    WorkbookPtr mappe;
    WorkbookPtr personal;
    SheetPtr januar;

    // A drag started during set-up, dropped by the run.
    std::shared_ptr<DataObject> dragData;
    headless::HeadlessTree::Point dropAt;
};

}  // namespace brackwell::reliability

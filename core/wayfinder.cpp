#include "core/wayfinder.h"

#include <limits>
#include <optional>

#include "core/failure.h"
#include "core/vb_conversions.h"
#include "pane/frm_nav.h"
#include "pane/task_pane_dock.h"

namespace brackwell {

// Receives the host's application events. Every workbook and sheet event
// rebuilds the tree from the host's current state, looking at no argument;
// the window events only move the pane between task panes.
class Wayfinder::HostEvents final : public AppEvents {
public:
    explicit HostEvents(Wayfinder& owner) : owner_(owner) {}

    void WorkbookDeactivate(const WorkbookPtr&) override {
        ComponentEntry entry(owner_.component_);
        owner_.OnWorkbookDeactivate();
    }
    void WorkbookOpen(const WorkbookPtr& wb) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
        owner_.OnWorkbookAppeared(wb);
    }
    void WorkbookActivate(const WorkbookPtr&) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
    }
    void NewWorkbook(const WorkbookPtr& wb) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
        owner_.OnWorkbookAppeared(wb);
    }
    void WorkbookNewSheet(const WorkbookPtr&, const SheetPtr&) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
    }
    // The save goes ahead: cancel is left as the host gave it.
    void WorkbookBeforeSave(const WorkbookPtr&, bool, bool&) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
    }
    void SheetActivate(const SheetPtr&) override {
        ComponentEntry entry(owner_.component_);
        owner_.RefreshTree();
    }
    void WindowActivate(const WorkbookPtr&, const WindowPtr& wn) override {
        ComponentEntry entry(owner_.component_);
        owner_.OnWindowActivate(wn);
    }
    void WindowDeactivate(const WorkbookPtr&, const WindowPtr&) override {}

private:
    Wayfinder& owner_;
};

// Receives the pane tree's press and drag events.
class Wayfinder::TreeEventsSink final : public TreeEvents {
public:
    explicit TreeEventsSink(Wayfinder& owner) : owner_(owner) {}

    void MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override {
        ComponentEntry entry(owner_.component_);
        owner_.NodeMouseDown(button, shift, x, y);
    }
    void OLEStartDrag(DataObject& data, std::int32_t& allowedEffects) override {
        ComponentEntry entry(owner_.component_);
        owner_.OLEStartDrag(data, allowedEffects);
    }
    void OLEDragOver(DataObject& data, std::int32_t& effect, std::int16_t button, std::int16_t shift, float x,
                     float y, std::int16_t state) override {
        ComponentEntry entry(owner_.component_);
        owner_.OLEDragOver(data, effect, button, shift, x, y, state);
    }
    void OLEDragDrop(DataObject& data, std::int32_t& effect, std::int16_t button, std::int16_t shift, float x,
                     float y) override {
        ComponentEntry entry(owner_.component_);
        owner_.OLEDragDrop(data, effect, button, shift, x, y);
    }

private:
    Wayfinder& owner_;
};

// Receives the pane toolbar's clicks.
class Wayfinder::ToolbarEventsSink final : public ToolbarEvents {
public:
    explicit ToolbarEventsSink(Wayfinder& owner) : owner_(owner) {}

    void ButtonClick(const std::string& key) override {
        ComponentEntry entry(owner_.component_);
        owner_.clbMain_ButtonClick(key);
    }
    void MenuItemClick(const std::string& key) override {
        ComponentEntry entry(owner_.component_);
        owner_.clbMain_MenuItemClick(key);
    }

private:
    Wayfinder& owner_;
};

Wayfinder::Wayfinder(Component& component)
    : component_(component),
      hostEvents_(std::make_unique<HostEvents>(*this)),
      treeEvents_(std::make_unique<TreeEventsSink>(*this)),
      toolbarEvents_(std::make_unique<ToolbarEventsSink>(*this)) {
    component_.PopupMenu = component_.platform.CreatePopupMenu();
    component_.PopupMenu->SetFont("Verdana", 9);
    component_.settings = LoadSettings(component_.platform.Settings());
}

Wayfinder::~Wayfinder() {
    dock_.reset();
    // The pane is another navigator's when that one showed it first.
    const bool ownsPane = component_.PaneOwner == nullptr || component_.PaneOwner == this;
    IgnoreFailure([&] {
        if (ownsPane && component_.NavForm) component_.NavForm->Unload();
    });
    IgnoreFailure([&] { DelNavBar(); });
    IgnoreFailure([&] { set_oExcel(nullptr); });
}

void Wayfinder::set_mExcel(const ApplicationPtr& appExcel) {
    application_ = appExcel;
    std::optional<AutomationError> attachFailure;
    try {
        set_oExcel(appExcel);
    } catch (...) {
        attachFailure = CurrentError();
    }
    if (appExcel) {
        // "11.0" gives 11; a text that does not start with a number, or with
        // one beyond any 32-bit version, gives 0.
        const std::int64_t version = RoundHalfEven(LeadingNumber(appExcel->Version()));
        component_.HostVersion = version >= std::numeric_limits<std::int32_t>::min() &&
                                         version <= std::numeric_limits<std::int32_t>::max()
                                     ? static_cast<std::int32_t>(version)
                                     : 0;
    }
    if (attachFailure) throw *attachFailure;
}

void Wayfinder::set_oExcel(const ApplicationPtr& app) {
    oExcelConnection_.reset();
    oExcel_ = app;
    if (app) oExcelConnection_ = app->Advise(*hostEvents_);
}

void Wayfinder::set_oTree(const std::shared_ptr<TreeView>& tree) {
    oTreeConnection_.reset();
    oTree_ = tree;
    if (tree) oTreeConnection_ = tree->Advise(*treeEvents_);
}

void Wayfinder::set_oClb(const std::shared_ptr<Toolbar>& bar) {
    oClbConnection_.reset();
    oClb_ = bar;
    if (bar) oClbConnection_ = bar->Advise(*toolbarEvents_);
}

void Wayfinder::UseTaskPanes(std::shared_ptr<TaskPaneFactory> factory, std::function<void()> shownChanged) {
    taskPaneFactory_ = std::move(factory);
    paneShownChanged_ = std::move(shownChanged);
}

void Wayfinder::OnWorkbookAppeared(const WorkbookPtr& wb) {
    if (dock_) dock_->WorkbookAppeared(wb);
}

void Wayfinder::OnWindowActivate(const WindowPtr& wn) {
    if (dock_) dock_->WindowActivated(wn);
}

void Wayfinder::OnWorkbookDeactivate() {
    // Closing the last visible workbook leaves nothing to activate and so no
    // later event would rebuild the tree: empty it now.
    std::int16_t n = 0;
    IgnoreFailure([&] { n = CountVisibleWorkbooks(); });
    if (n <= 1) {
        IgnoreFailure([&] { Require(oTree_).Nodes().Clear(); });
        return;
    }
    IgnoreFailure([&] { UpdateTree(false); });
}

std::int16_t Wayfinder::CountVisibleWorkbooks() {
    std::int16_t count = 0;
    for (const WorkbookPtr& wb : Require(application_).Workbooks()->Enumerate()) {
        if (wb->Windows()->Item(1)->Visible() && !wb->IsAddin()) ++count;
    }
    return count;
}

}  // namespace brackwell

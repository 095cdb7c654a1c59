#include "core/addin.h"

#include <utility>

#include "core/failure.h"
#include "core/wayfinder.h"
#include "pane/frm_nav.h"
#include "pane/ribbon_ui.h"
#include "pane/task_pane_dock.h"

namespace brackwell {

AddIn::AddIn(Component& component) : component_(component) {}

AddIn::~AddIn() { Stop(); }

void AddIn::Connect(const ApplicationPtr& application) {
    ComponentEntry entry(component_);
    if (!application) Raise(err::kObjectNotSet);
    if (navigator_ || stopping_) return;
    // Settings that cannot be read fail the start here, with the key named.
    navigator_ = std::make_unique<Wayfinder>(component_);
    navigator_->set_mExcel(application);
    if (component_.HostVersion >= 12) {
        // The pane needs the task panes, which Excel offers after this call.
        navigator_->UseTaskPanes(taskPanes_, [this] { InvalidateToggle(); });
        if (taskPanes_) StartPane();
    } else {
        StartPane();
    }
}

void AddIn::TaskPanesAvailable(std::shared_ptr<TaskPaneFactory> factory) {
    ComponentEntry entry(component_);
    taskPanes_ = std::move(factory);
    if (!navigator_ || stopping_ || component_.HostVersion < 12) return;
    navigator_->UseTaskPanes(taskPanes_, [this] { InvalidateToggle(); });
    StartPane();
}

void AddIn::RibbonLoaded(std::shared_ptr<Ribbon> ribbon) { ribbon_ = std::move(ribbon); }

void AddIn::StartPane() {
    // CreateNavBar reports its own failures; another navigator that shows
    // the pane already makes it decline quietly.
    IgnoreFailure([&] { navigator_->CreateNavBar(); });
    InvalidateToggle();
}

bool AddIn::Disconnect(std::function<void()> stopped) {
    if (stopping_) return false;
    if (!navigator_) {
        Stop();
        return true;
    }
    if (component_.Entered == 0) {
        Stop();
        return true;
    }
    // A call into the component is still running further up: what it uses
    // must outlive it. The user's menus and dialogs close as cancelled, and
    // the pane hides (without changing the user's choice).
    stopping_ = true;
    IgnoreFailure([&] { component_.platform.Ui().CancelModalUi(); });
    IgnoreFailure([&] {
        if (component_.NavForm) component_.NavForm->Window().Hide();
    });
    StopWhenIdle(std::move(stopped));
    return false;
}

void AddIn::StopWhenIdle(std::function<void()> stopped) {
    std::weak_ptr<AddIn> weak = weak_from_this();
    // Held by the task, the add-in outlives whoever lets go of it meanwhile.
    std::shared_ptr<AddIn> self = weak.lock();
    component_.platform.Ui().PostTask([self, stopped = std::move(stopped)]() mutable {
        if (!self) return;
        if (self->component_.Entered > 0) {
            self->StopWhenIdle(std::move(stopped));
            return;
        }
        self->Stop();
        if (stopped) stopped();
    });
}

void AddIn::Stop() noexcept {
    stopping_ = true;
    if (navigator_) {
        IgnoreFailure([&] { navigator_->DelNavBar(); });
        navigator_.reset();  // its destructor detaches it from the host's events
    }
    taskPanes_.reset();
    ribbon_.reset();
}

std::string AddIn::CustomUi() { return ribbon::CustomUiXml(); }

bool AddIn::NavigatorPressed() {
    const TaskPaneDock* dock = navigator_ ? navigator_->TaskPanes() : nullptr;
    return dock != nullptr && dock->Shown();
}

void AddIn::ToggleNavigator(bool pressed) {
    ComponentEntry entry(component_);
    TaskPaneDock* dock = navigator_ && !stopping_ ? navigator_->TaskPanes() : nullptr;
    if (dock) {
        dock->SetShown(pressed);
    } else {
        InvalidateToggle();  // nothing to show: the toggle reads as before
    }
}

void AddIn::Refresh() {
    ComponentEntry entry(component_);
    if (navigator_ && !stopping_) navigator_->UpdateTree(false);
}

void AddIn::InvalidateToggle() {
    if (!ribbon_) return;
    const std::shared_ptr<Ribbon> ribbon = ribbon_;
    IgnoreFailure([&] { ribbon->InvalidateControl(ribbon::kToggleId); });
}

}  // namespace brackwell

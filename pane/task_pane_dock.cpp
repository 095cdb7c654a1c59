#include "pane/task_pane_dock.h"

#include <algorithm>
#include <utility>

#include "core/failure.h"
#include "core/settings.h"
#include "pane/frm_nav.h"

namespace brackwell {
namespace {

constexpr const char* kTaskPaneTitle = "Brackwell";
constexpr std::int32_t kTaskPaneWidth = 215;  // pixels at 96 dpi, as the docked pane

}  // namespace

TaskPaneDock::TaskPaneDock(Component& component, ApplicationPtr host, std::shared_ptr<TaskPaneFactory> factory,
                           std::function<void()> shownChanged)
    : component_(component),
      host_(std::move(host)),
      factory_(std::move(factory)),
      shownChanged_(std::move(shownChanged)) {
    IgnoreFailure([&] { shown_ = LoadPaneVisible(component_.platform.Settings()); });
}

TaskPaneDock::~TaskPaneDock() {
    Park();
    // Released one by one, so a pane whose events arrive meanwhile finds its slot gone.
    while (!slots_.empty()) {
        Slot slot = std::move(slots_.back());
        slots_.pop_back();
        IgnoreFailure([&] { slot.pane->Delete(); });
    }
}

void TaskPaneDock::Open() {
    if (PerWindow()) {
        // The other windows' task panes once Excel's call has returned: each
        // costs a control, and Office times an add-in's start.
        Later(&TaskPaneDock::OpenOtherWindows);
    }
    // The active window's task pane must be there; its failure is the start's.
    const WindowPtr active = PerWindow() ? host_->ActiveWindow() : nullptr;
    if (PerWindow() && !active) return;  // no workbook window yet: the first one brings its task pane
    Slot& slot = Ensure(active);
    activeWindow_ = slot.window;
    Place(slot);
}

void TaskPaneDock::OpenOtherWindows() {
    const ApplicationPtr host = host_;
    IgnoreFailure([&] {
        const WindowsPtr windows = host->Windows();
        const std::int32_t count = windows->Count();
        for (std::int32_t i = 1; i <= count; ++i) {
            IgnoreFailure([&] {
                const WindowPtr window = windows->Item(i);
                if (window->Visible()) Ensure(window);
            });
        }
    });
}

void TaskPaneDock::WindowActivated(const WindowPtr& window) {
    Prune();
    IgnoreFailure([&] {
        if (!window) return;
        Slot& slot = Ensure(PerWindow() ? window : nullptr);
        activeWindow_ = slot.window;
        Place(slot);
    });
    // The new window's ribbon has a toggle of its own to read.
    if (shownChanged_) shownChanged_();
}

void TaskPaneDock::WorkbookAppeared(const WorkbookPtr& wb) {
    if (!PerWindow()) return;
    Prune();
    IgnoreFailure([&] {
        const WindowPtr window = Require(wb).Windows()->Item(1);
        if (window->Visible()) Ensure(window);
    });
}

void TaskPaneDock::Fit() {
    if (!formParent_) return;
    WindowSystem& windows = component_.platform.Windows();
    IgnoreFailure([&] {
        const WindowRect rect = windows.GetWindowRect(formParent_);
        windows.MoveWindow(component_.PaneHwnd, 0, 0, rect.right - rect.left, rect.bottom - rect.top, true);
    });
}

void TaskPaneDock::SetShown(bool shown) {
    const bool changed = shown != shown_;
    shown_ = shown;
    if (changed) IgnoreFailure([&] { SavePaneVisible(component_.platform.Settings(), shown); });
    ApplyShown();
    if (shown) {
        for (Slot& slot : slots_) {
            if (slot.window == activeWindow_ && !slot.closing) Place(slot);
        }
    }
    if (shownChanged_) shownChanged_();
}

void TaskPaneDock::VisibleStateChange(TaskPane& pane) {
    if (applying_) return;
    const Slot* slot = Find(pane);
    if (!slot || slot->closing) return;
    bool visible = shown_;
    if (!IgnoreFailure([&] { visible = pane.Visible(); }) || visible == shown_) return;
    // The user closed (or Excel showed) one task pane: the choice holds for all.
    SetShown(visible);
}

void TaskPaneDock::ContentResized(TaskPane& pane) {
    Slot* slot = Find(pane);
    if (!slot || slot->closing || slot->window != activeWindow_) return;
    Place(*slot);
}

void TaskPaneDock::ContentClosing(TaskPane& pane) {
    Slot* slot = Find(pane);
    if (!slot) return;
    slot->closing = true;
    WindowHandle content = 0;
    IgnoreFailure([&] { content = pane.Content(); });
    // The form must not go down with the window it is in.
    if (formParent_ && (content == 0 || content == formParent_)) Park();
    // The task pane is deleted once its event has returned, even when no
    // other window becomes active (the last workbook closed).
    Later(&TaskPaneDock::Prune);
}

void TaskPaneDock::Later(void (TaskPaneDock::*step)()) {
    IgnoreFailure([&] {
        component_.platform.Ui().PostTask([this, step, alive = std::weak_ptr<int>(lifetime_)] {
            if (!alive.lock()) return;
            ComponentEntry entry(component_);
            (this->*step)();
        });
    });
}

TaskPaneDock::Slot* TaskPaneDock::Find(const TaskPane& pane) {
    for (Slot& slot : slots_) {
        if (slot.pane.get() == &pane) return &slot;
    }
    return nullptr;
}

TaskPaneDock::Slot& TaskPaneDock::Ensure(const WindowPtr& window) {
    const WindowHandle handle = PerWindow() ? Require(window).Hwnd() : 0;
    for (Slot& slot : slots_) {
        if (slot.window == handle && !slot.closing) return slot;
    }
    std::shared_ptr<TaskPane> pane = Require(factory_).CreateTaskPane(kTaskPaneTitle, window, *this);
    if (!pane) Raise(err::kObjectNotSet);
    slots_.push_back(Slot{handle, pane, false});
    // Set up before anyone can look: a failure here leaves a pane that still works.
    IgnoreFailure([&] { pane->SetWidth(kTaskPaneWidth); });
    applying_ = true;
    IgnoreFailure([&] { pane->SetVisible(shown_); });
    applying_ = false;
    // Its events may have changed the list; find it again.
    Slot* made = Find(*pane);
    if (!made) Raise(err::kObjectNotSet);
    return *made;
}

void TaskPaneDock::Prune() {
    WindowSystem& windows = component_.platform.Windows();
    for (std::size_t i = 0; i < slots_.size();) {
        Slot& slot = slots_[i];
        const bool gone = slot.closing || (slot.window != 0 && !windows.IsWindow(slot.window));
        if (!gone) {
            ++i;
            continue;
        }
        std::shared_ptr<TaskPane> pane = std::move(slot.pane);
        slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(i));
        IgnoreFailure([&] { pane->Delete(); });
    }
}

void TaskPaneDock::Place(Slot& slot) {
    WindowHandle content = 0;
    IgnoreFailure([&] { content = slot.pane->Content(); });
    // Without a content window yet (the host makes it when the pane first
    // shows) the form waits where it is; the pane's resize brings it.
    if (!content || !shown_ || !component_.NavForm) return;
    WindowSystem& windows = component_.platform.Windows();
    if (formParent_ != content) {
        // Hidden while it moves: the window it leaves and the one it enters
        // are drawn once each, not again for every step of the move.
        if (formParent_) IgnoreFailure([&] { component_.NavForm->Window().Hide(); });
        IgnoreFailure([&] { windows.SetParent(component_.PaneHwnd, content); });
        formParent_ = content;
    }
    Fit();
    IgnoreFailure([&] { component_.NavForm->Window().Show(); });
}

void TaskPaneDock::ApplyShown() {
    applying_ = true;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].closing) continue;
        const std::shared_ptr<TaskPane> pane = slots_[i].pane;
        IgnoreFailure([&] { pane->SetVisible(shown_); });
    }
    applying_ = false;
}

void TaskPaneDock::Park() {
    if (!formParent_) return;
    formParent_ = 0;
    if (!component_.NavForm) return;
    IgnoreFailure([&] { component_.NavForm->Window().Hide(); });
    IgnoreFailure([&] { component_.platform.Windows().SetParent(component_.PaneHwnd, 0); });
}

}  // namespace brackwell

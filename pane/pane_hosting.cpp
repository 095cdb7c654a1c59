// Pane hosting: the command bar "BrackwellBar" that reserves room at the host
// window's left edge, and the pane form docked into the host's dock window
// beside it.

#include <optional>
#include <string>

#include "core/failure.h"
#include "core/wayfinder.h"
#include "pane/frm_nav.h"
#include "pane/task_pane_dock.h"

namespace brackwell {
namespace {

constexpr const char* kBarName = "BrackwellBar";
constexpr const char* kDockClass = "EXCEL2";          // the host's command-bar dock windows
constexpr const char* kCommandBarClass = "MsoCommandBar";
constexpr std::int32_t kBarProtection = 95;  // no customising, resizing, moving, hiding, redocking, horizontal docking

// Pane geometry inside the dock window, in pixels.
constexpr std::int32_t kPaneLeft = 1;
constexpr std::int32_t kPaneTop = 40;
constexpr std::int32_t kPaneWidth = 215;
constexpr std::int32_t kFormHeightMargin = 5;  // form height = dock height - 5
constexpr std::int32_t kPaneHeightMargin = 38;  // pane height = form height - 38

// Runs the steps of a routine that goes on after a failing step and reports
// only the last failure at the end.
class StepRunner {
public:
    template <class Step>
    void Run(std::int32_t line, Step&& step) noexcept {
        try {
            step();
        } catch (...) {
            lastFailure_ = CurrentError();
            lastLine_ = line;
        }
    }
    const std::optional<AutomationError>& LastFailure() const { return lastFailure_; }
    std::int32_t LastLine() const { return lastLine_; }

private:
    std::optional<AutomationError> lastFailure_;
    std::int32_t lastLine_ = 0;
};

}  // namespace

void Wayfinder::CreateNavBar() {
    // One navigator per Excel shows the pane; a second start is declined quietly.
    if (component_.PaneOwner && component_.PaneOwner != this) return;
    if (component_.HostVersion >= 12) {
        // Excel 2007 and later have no dock for the pane: only a navigator
        // given the host's task panes (the COM add-in's) shows it there.
        if (taskPaneFactory_) CreateTaskPaneNavBar();
        return;
    }
    component_.PaneOwner = this;

    Platform& platform = component_.platform;
    UserInterface& ui = platform.Ui();
    WindowSystem& windows = platform.Windows();
    StepRunner steps;

    // A second call keeps the bar it made the first time.
    if (!NavBar_) {
        steps.Run(11, [&] {
            NavBar_ = Require(application_).CommandBars()->Add(kBarName, xl::kBarLeft, false, true);
        });
        steps.Run(12, [&] { Require(NavBar_).SetVisible(true); });
        steps.Run(12, [&] { Require(NavBar_).SetProtection(kBarProtection); });
        steps.Run(13, [&] { ui.DoEvents(); });
        steps.Run(14, [&] { NavButton_ = Require(NavBar_).Controls()->Add(xl::kControlButton); });
        steps.Run(14, [&] { Require(NavButton_).SetCaption(""); });
        steps.Run(14, [&] { Require(NavButton_).SetStyle(xl::kButtonIconAndWrapCaption); });
        steps.Run(14, [&] { Require(NavButton_).SetTooltipText("...Aktualisieren"); });
        steps.Run(14, [&] { Require(NavButton_).SetFaceId(5); });
        steps.Run(14, [&] { Require(NavButton_).SetEnabled(true); });
        steps.Run(14, [&] { Require(NavButton_).SetHeight(215); });
        steps.Run(14, [&] { Require(NavButton_).SetWidth(20); });
        steps.Run(14, [&] { Require(NavButton_).SetOnAction("UpdateNav"); });
        steps.Run(15, [&] { ui.DoEvents(); });
    }

    WindowHandle dock = 0;
    steps.Run(2, [&] {
        // Excel has four dock windows (top, left, right, bottom); the pane
        // belongs in the one that holds its bar, and where none is seen to
        // hold it, in the first.
        const WindowHandle main = Require(application_).Hwnd();
        dock = windows.FindChild(main, kDockClass, std::nullopt);
        for (WindowHandle candidate = dock; candidate;
             candidate = windows.FindChild(main, kDockClass, std::nullopt, candidate)) {
            if (windows.FindChild(candidate, kCommandBarClass, std::string(kBarName))) {
                dock = candidate;
                break;
            }
        }
    });

    if (dock) {
        FrmNav& form = component_.frmNav();
        std::int32_t dockHeight = 0;
        steps.Run(31, [&] {
            component_.DockHwnd = dock;
            const WindowRect rect = windows.GetWindowRect(dock);
            dockHeight = rect.bottom - rect.top;
        });
        steps.Run(32, [&] {
            form.Load();
            component_.PaneHwnd = form.Window().Hwnd();
        });
        steps.Run(33, [&] { form.Window().SetHeight(dockHeight - kFormHeightMargin); });
        steps.Run(34, [&] { windows.SetParent(component_.PaneHwnd, component_.DockHwnd); });
        steps.Run(35, [&] { ui.DoEvents(); });
        steps.Run(36, [&] {
            windows.MoveWindow(component_.PaneHwnd, kPaneLeft, kPaneTop, kPaneWidth,
                               form.Window().Height() - kPaneHeightMargin, true);
        });
        steps.Run(37, [&] {
            set_oTree(form.mTree());
            oTree_->SetOLEDragMode(1);
            oTree_->SetOLEDropMode(1);
        });
        steps.Run(38, [&] {
            set_oClb(form.clbMain());
            oClb_->SetVisualStyle(component_.settings.Theme ? 3 : 2);
        });
        steps.Run(39, [&] { UpdateTree(false); });
        steps.Run(310, [&] { form.Window().Show(); });
    }

    if (const auto& failure = steps.LastFailure()) {
        ui.MsgBox(failure->Description(), msgbox::kOkOnly,
                  "CreateNavBar " + std::to_string(steps.LastLine()));
    }
}

void Wayfinder::CreateTaskPaneNavBar() {
    component_.PaneOwner = this;
    StepRunner steps;
    FrmNav& form = component_.frmNav();
    steps.Run(32, [&] {
        form.Load();
        component_.PaneHwnd = form.Window().Hwnd();
    });
    steps.Run(37, [&] {
        set_oTree(form.mTree());
        oTree_->SetOLEDragMode(1);
        oTree_->SetOLEDropMode(1);
    });
    steps.Run(38, [&] {
        set_oClb(form.clbMain());
        oClb_->SetVisualStyle(component_.settings.Theme ? 3 : 2);
    });
    steps.Run(39, [&] { UpdateTree(false); });
    steps.Run(311, [&] {
        Require(application_);
        if (!dock_) {
            dock_ = std::make_unique<TaskPaneDock>(component_, application_, taskPaneFactory_,
                                                   paneShownChanged_);
        }
        dock_->Open();
    });
    if (const auto& failure = steps.LastFailure()) {
        component_.platform.Ui().MsgBox(failure->Description(), msgbox::kOkOnly,
                                        "CreateNavBar " + std::to_string(steps.LastLine()));
    }
}

void Wayfinder::SizeOn() {
    if (dock_) {
        dock_->Fit();
        return;
    }
    WindowSystem& windows = component_.platform.Windows();
    std::int32_t dockHeight = 0;
    IgnoreFailure([&] {
        const WindowRect rect = windows.GetWindowRect(component_.DockHwnd);
        dockHeight = rect.bottom - rect.top;
    });
    if (!component_.NavForm) return;

    FrmNav& form = *component_.NavForm;
    IgnoreFailure([&] { windows.LockWindowUpdate(component_.PaneHwnd); });
    IgnoreFailure([&] { form.Window().SetHeight(dockHeight - kFormHeightMargin); });
    IgnoreFailure([&] {
        windows.MoveWindow(component_.PaneHwnd, kPaneLeft, kPaneTop, kPaneWidth,
                           form.Window().Height() - kPaneHeightMargin, true);
    });
    IgnoreFailure([&] { form.Window().ZOrder(0); });
    IgnoreFailure([&] { windows.LockWindowUpdate(0); });
}

void Wayfinder::DelNavBar() {
    // The task panes go first and hand the form back.
    dock_.reset();
    const bool ownsPane = component_.PaneOwner == nullptr || component_.PaneOwner == this;
    if (ownsPane) {
        IgnoreFailure([&] {
            if (component_.NavForm) component_.NavForm->Unload();
        });
        component_.NavForm = nullptr;
    }
    IgnoreFailure([&] { Require(NavBar_).Delete(); });
    NavButton_.reset();
    NavBar_.reset();
    if (component_.PaneOwner == this) component_.PaneOwner = nullptr;
}

}  // namespace brackwell

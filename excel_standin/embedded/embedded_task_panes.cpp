#include "excel_standin/embedded/embedded_task_panes.h"

#include <utility>

#include "excel_standin/embedded/embedded_excel.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

struct EmbeddedTaskPanes::State {
    PaneView view;
    TaskPane* port = nullptr;          // the add-in's object, while it holds one
    TaskPaneEvents* events = nullptr;  // likewise
};

// The port object. Excel's pane lives on when the add-in lets go of it; only
// its events stop.
class EmbeddedTaskPanes::Pane final : public TaskPane {
public:
    Pane(EmbeddedTaskPanes& owner, std::shared_ptr<State> state) : owner_(owner), state_(std::move(state)) {
        state_->port = this;
    }
    ~Pane() override {
        state_->port = nullptr;
        state_->events = nullptr;
    }

    WindowHandle Content() override { return Live().view.content; }
    bool Visible() override { return Live().view.visible; }
    void SetVisible(bool visible) override { owner_.Show(Live(), visible); }
    void SetWidth(std::int32_t pixels) override {
        // Width is in points; a 96-dpi pixel is three quarters of one.
        State& state = Live();
        state.view.widthPoints = pixels * 3 / 4;
        if (state.view.content) owner_.Resize(state, pixels);
    }
    void Delete() override {
        State& state = Live();
        state.view.deleted = true;
        state.view.visible = false;
        if (const WindowHandle content = std::exchange(state.view.content, 0)) owner_.windows_.destroy(content);
    }

private:
    State& Live() {
        if (state_->view.deleted) Raise(err::kHost, "Die Methode ist für dieses Objekt nicht verfügbar");
        return *state_;
    }

    EmbeddedTaskPanes& owner_;
    std::shared_ptr<State> state_;
};

EmbeddedTaskPanes::EmbeddedTaskPanes(EmbeddedExcel& excel, PaneWindows windows, WindowHandle mainWindow)
    : excel_(excel), windows_(std::move(windows)), mainWindow_(mainWindow) {}

EmbeddedTaskPanes::~EmbeddedTaskPanes() = default;

std::shared_ptr<TaskPane> EmbeddedTaskPanes::CreateTaskPane(const std::string& title, const WindowPtr& window,
                                                            TaskPaneEvents& events) {
    if (refuse_) Raise(err::kHost, "Der Aufgabenbereich kann nicht erstellt werden");
    WindowHandle host = mainWindow_;
    if (window) {
        host = window->Hwnd();
    } else if (const WorkbookPtr active = excel_.App()->ActiveWorkbook()) {
        if (const WindowHandle own = excel_.WindowOf(active)) host = own;
    }
    auto state = std::make_shared<State>();
    state->view.title = title;
    state->view.hostWindow = host;
    state->events = &events;
    panes_.push_back(state);
    ++created_;
    return std::make_shared<Pane>(*this, state);
}

void EmbeddedTaskPanes::Show(State& state, bool visible) {
    if (state.view.visible == visible) return;
    state.view.visible = visible;
    // The content appears with the first showing, at the pane's width.
    const bool made = visible && !state.view.content;
    if (made) state.view.content = windows_.create(state.view.hostWindow, state.view.widthPoints * 4 / 3);
    if (state.view.content) windows_.show(state.view.content, visible);
    if (state.events) state.events->VisibleStateChange(*state.port);
    if (made && state.events) state.events->ContentResized(*state.port);
}

void EmbeddedTaskPanes::Resize(State& state, std::int32_t pixels) {
    windows_.resize(state.view.content, pixels);
    if (state.events) state.events->ContentResized(*state.port);
}

EmbeddedTaskPanes::State* EmbeddedTaskPanes::Find(WindowHandle hostWindow) {
    for (const auto& state : panes_) {
        if (state->view.hostWindow == hostWindow && !state->view.deleted) return state.get();
    }
    return nullptr;
}

void EmbeddedTaskPanes::UserCloses(WindowHandle hostWindow) {
    if (State* state = Find(hostWindow)) Show(*state, false);
}

void EmbeddedTaskPanes::UserResizes(WindowHandle hostWindow, std::int32_t width) {
    State* state = Find(hostWindow);
    if (!state || !state->view.content) return;
    state->view.widthPoints = width * 3 / 4;
    Resize(*state, width);
}

void EmbeddedTaskPanes::WindowClosing(WindowHandle hostWindow) {
    for (const auto& state : panes_) {
        if (state->view.hostWindow != hostWindow || state->view.deleted || !state->view.content) continue;
        // The content hears it is going while it still exists, then it goes
        // with the window; the pane object lives on, empty.
        if (state->events) state->events->ContentClosing(*state->port);
        windows_.destroy(std::exchange(state->view.content, 0));
        state->view.visible = false;
    }
}

std::vector<EmbeddedTaskPanes::PaneView> EmbeddedTaskPanes::Panes() const {
    std::vector<PaneView> views;
    for (const auto& state : panes_) views.push_back(state->view);
    return views;
}

std::size_t EmbeddedTaskPanes::LivePanes() const {
    std::size_t live = 0;
    for (const auto& state : panes_) live += state->view.deleted ? 0 : 1;
    return live;
}

}  // namespace brackwell::embedded

#pragma once
// Custom task panes as Excel 2007 and later hand them to a COM add-in, for
// the native tests: created hidden in a workbook window (or, without a
// window, in the active one), their content window made only when first
// shown, Width in points, the user's close box only hiding them, their
// content going with their window, and every call on a deleted pane failing.
// The windows themselves are the embedding's (`PaneWindows`).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/excel.h"
#include "host/task_panes.h"

namespace brackwell::embedded {

class EmbeddedExcel;

// How the embedding makes a task pane's content window inside a workbook
// window, sizes it (pixels), shows or hides it and takes it away.
struct PaneWindows {
    std::function<WindowHandle(WindowHandle hostWindow, std::int32_t width)> create;
    std::function<void(WindowHandle content, std::int32_t width)> resize;
    std::function<void(WindowHandle content, bool visible)> show;
    std::function<void(WindowHandle content)> destroy;
};

class EmbeddedTaskPanes final : public TaskPaneFactory {
public:
    // `mainWindow`: where panes go in a host without a window per workbook.
    EmbeddedTaskPanes(EmbeddedExcel& excel, PaneWindows windows, WindowHandle mainWindow);
    ~EmbeddedTaskPanes() override;

    std::shared_ptr<TaskPane> CreateTaskPane(const std::string& title, const WindowPtr& window,
                                             TaskPaneEvents& events) override;

    // --- what a test does as the user or the host
    void RefuseCreation(bool refuse) { refuse_ = refuse; }
    // The user's close box on the pane of `hostWindow`.
    void UserCloses(WindowHandle hostWindow);
    // The user drags the pane's edge.
    void UserResizes(WindowHandle hostWindow, std::int32_t width);
    // A workbook window is going: its panes' content leaves first.
    void WindowClosing(WindowHandle hostWindow);

    // --- what a test looks at
    struct PaneView {
        std::string title;
        WindowHandle hostWindow = 0;
        WindowHandle content = 0;
        bool visible = false;
        std::int32_t widthPoints = 0;
        bool deleted = false;
    };
    std::vector<PaneView> Panes() const;  // every pane ever created, in order
    std::size_t LivePanes() const;        // created and not deleted
    int Created() const { return created_; }

    class Pane;  // the port object

private:
    friend class Pane;
    struct State;
    State* Find(WindowHandle hostWindow);
    void Show(State& state, bool visible);
    void Resize(State& state, std::int32_t pixels);

    EmbeddedExcel& excel_;
    PaneWindows windows_;
    WindowHandle mainWindow_;
    std::vector<std::shared_ptr<State>> panes_;
    bool refuse_ = false;
    int created_ = 0;
};

}  // namespace brackwell::embedded

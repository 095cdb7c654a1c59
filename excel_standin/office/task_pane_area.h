#pragma once
// The place at the left edge of an Excel window where its custom task panes
// dock: a child window of class "MsoCommandBarDock" titled "MsoDockLeft" (the
// names PowerPoint 2013 and later give the dock of their task panes; Excel's
// own: UNCONFIRMED). Its visible panes stand side by side from the left, each
// as wide as its Width; the area is as wide as they are together, 0 without a
// visible pane, and tells its owner when that changes, who places it.

#include <windows.h>

#include <functional>
#include <vector>

namespace brackwell::office {

class TaskPaneFrame;

class TaskPaneArea {
public:
    // A hidden child of `excelWindow`; `widthChanged` runs after the width changed.
    TaskPaneArea(HINSTANCE instance, HWND excelWindow, std::function<void()> widthChanged);
    ~TaskPaneArea();  // destroys the window (and the panes in it) unless its parent did
    TaskPaneArea(const TaskPaneArea&) = delete;
    TaskPaneArea& operator=(const TaskPaneArea&) = delete;

    HWND Window() const noexcept { return window_; }
    int Width() const noexcept { return width_; }  // pixels
    // The area behind a window made by TaskPaneArea, or null.
    static TaskPaneArea* FromWindow(HWND window);

    // The panes call these as they come, go, show, hide or change width.
    void Add(TaskPaneFrame& frame);
    void Remove(TaskPaneFrame& frame) noexcept;
    void Layout();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept { window_ = nullptr; }

private:
    HWND window_ = nullptr;
    std::function<void()> widthChanged_;
    std::vector<TaskPaneFrame*> frames_;  // in the order they came; they remove themselves
    int width_ = 0;
    bool closing_ = false;
};

}  // namespace brackwell::office

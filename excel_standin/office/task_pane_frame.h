#pragma once
// The window of one custom task pane in its Excel window's task-pane area: a
// child of class "NUIPane" (the class of the ancestor that code running in
// real task panes finds above its control; the nesting is UNCONFIRMED) with a
// caption, the pane's title, a close box (a button titled "×"), and below it
// Wine's ActiveX container holding the add-in's control. It is made hidden.
// The close box and the window's end go to the owner.

#include <windows.h>

#include <string>

#include "adapters/windows/common/com_ptr.h"
#include "adapters/windows/ui/win_handles.h"

namespace brackwell::office {

class TaskPaneArea;

inline constexpr wchar_t kTaskPaneFrameClass[] = L"NUIPane";
inline constexpr int kCloseBoxId = 2;

class TaskPaneFrame {
public:
    class Owner {
    public:
        virtual void CloseBoxPressed() = 0;
        // The window is gone (Delete, or its Excel window went): the
        // control in it has been closed.
        virtual void FrameDestroyed() = 0;

    protected:
        ~Owner() = default;
    };

    TaskPaneFrame(TaskPaneArea& area, std::wstring title, int widthPixels, Owner& owner);
    ~TaskPaneFrame();  // destroys the window unless it is gone
    TaskPaneFrame(const TaskPaneFrame&) = delete;
    TaskPaneFrame& operator=(const TaskPaneFrame&) = delete;

    // Makes the control `progId` in the container; empty when it cannot be
    // made (the container window then stays empty).
    win::ComPtr<IUnknown> HostControl(const std::wstring& progId);

    HWND Window() const noexcept { return window_; }
    HWND Container() const noexcept { return container_; }
    const win::ComPtr<IUnknown>& Control() const noexcept { return control_; }
    bool Shown() const noexcept { return shown_; }
    void Show(bool shown);
    int Width() const noexcept { return width_; }
    void SetWidth(int pixels);
    // Destroys the window now (its control is closed with it).
    void Destroy() noexcept;

    // The frame that holds `window` (the frame itself or any window inside
    // it), or null.
    static TaskPaneFrame* Containing(HWND window);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed() noexcept;

private:
    int CaptionHeight() const;
    void LayoutChildren();

    TaskPaneArea* area_;
    std::wstring title_;
    Owner& owner_;
    HWND window_ = nullptr;
    HWND closeBox_ = nullptr;
    HWND container_ = nullptr;
    win::FontHandle font_;
    win::ComPtr<IUnknown> control_;
    int width_;
    bool shown_ = false;
};

}  // namespace brackwell::office

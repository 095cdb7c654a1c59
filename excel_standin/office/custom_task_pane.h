#pragma once
// One custom task pane as Office hands it out (_CustomTaskPane, dual: the
// vtable of office_interfaces.h and IDispatch by its DISPIDs), with its
// events through IConnectionPointContainer (_CustomTaskPaneEvents:
// VisibleStateChange whenever it is shown or hidden, by a call or by its
// close box). It is made hidden in its window's task-pane area, docked left,
// holding the control made from the ProgID in Wine's ActiveX container.
// Width and Height are points (pixels = points * DPI / 72). Delete takes it
// out of its window for good, and so does its window's end; after that every
// member fails (with E_FAIL: Office's code is UNCONFIRMED). The factory that
// made it keeps it alive until then, as Office's list of task panes does.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/office/office_interfaces.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/event_source.h"
#include "excel_standin/office/task_pane_frame.h"

namespace brackwell::office {

class TaskPaneArea;

// A new pane's width when the add-in sets none (Office's default: UNCONFIRMED).
inline constexpr int kDefaultPaneWidthPoints = 200;

class CustomTaskPane final : public win::ComObject<_CustomTaskPane>, private TaskPaneFrame::Owner {
public:
    // The pane titled `title` in `area`, holding control `progId`; `window`
    // is the Window object it belongs to. Empty with `failure` set when the
    // control cannot be made (then nothing is left in the area).
    static win::ComPtr<CustomTaskPane> Create(TaskPaneArea& area, const std::wstring& progId,
                                              const std::wstring& title, win::ComPtr<IDispatch> application,
                                              win::ComPtr<IDispatch> window, HRESULT& failure);

    CustomTaskPane(TaskPaneArea& area, std::wstring title, win::ComPtr<IDispatch> application,
                   win::ComPtr<IDispatch> window);
    ~CustomTaskPane() override;

    bool Alive() const noexcept { return frame_ && frame_->Window(); }
    HWND FrameWindow() const noexcept { return frame_ ? frame_->Window() : nullptr; }
    // Runs once the pane is gone (deleted, or its window went).
    void OnGone(std::function<void(CustomTaskPane&)> gone) { gone_ = std::move(gone); }
    std::size_t EventSinks() const noexcept { return events_.SinkCount(); }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;
    // _CustomTaskPane
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* title) override;
    HRESULT STDMETHODCALLTYPE get_Application(IDispatch** application) override;
    HRESULT STDMETHODCALLTYPE get_Window(IDispatch** window) override;
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override;
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override;
    HRESULT STDMETHODCALLTYPE get_ContentControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE get_Height(int* height) override;
    HRESULT STDMETHODCALLTYPE put_Height(int height) override;
    HRESULT STDMETHODCALLTYPE get_Width(int* width) override;
    HRESULT STDMETHODCALLTYPE put_Width(int width) override;
    HRESULT STDMETHODCALLTYPE get_DockPosition(int* position) override;
    HRESULT STDMETHODCALLTYPE put_DockPosition(int position) override;
    HRESULT STDMETHODCALLTYPE get_DockPositionRestrict(int* restrict) override;
    HRESULT STDMETHODCALLTYPE put_DockPositionRestrict(int restrict) override;
    HRESULT STDMETHODCALLTYPE Delete() override;

private:
    // TaskPaneFrame::Owner
    void CloseBoxPressed() override;
    void FrameDestroyed() override;

    void SetVisible(bool visible);
    void SetWidth(int points);
    win::Variant ContentControl() const;
    void RequireAlive() const;
    int Dpi() const;

    win::LiveObjectToken alive_;
    std::wstring title_;
    win::ComPtr<IDispatch> application_;
    win::ComPtr<IDispatch> window_;
    EventSource events_;
    std::unique_ptr<TaskPaneFrame> frame_;
    int widthPoints_ = kDefaultPaneWidthPoints;
    int dockPositionRestrict_ = 0;
    bool destroying_ = false;
    std::function<void(CustomTaskPane&)> gone_;
};

}  // namespace brackwell::office

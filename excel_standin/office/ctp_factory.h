#pragma once
// ICTPFactory, which an add-in gets through CTPFactoryAvailable: CreateCTP
// (the control's ProgID or CLSID, the title, and the Window object the pane
// belongs to, or missing for the active window) makes a hidden custom task
// pane in that window's task-pane area. The add-in's panes stay listed, and
// alive, until they are deleted or their window goes; the host deletes the
// rest when the add-in is unloaded or Excel closes.

#include <windows.h>

#include <memory>
#include <vector>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/office/office_interfaces.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/custom_task_pane.h"

namespace brackwell::office {

class OfficeWindows;

class TaskPaneList : public std::enable_shared_from_this<TaskPaneList> {
public:
    void Add(win::ComPtr<CustomTaskPane> pane);
    std::vector<win::ComPtr<CustomTaskPane>> Panes() const { return panes_; }
    void DeleteAll() noexcept;

private:
    std::vector<win::ComPtr<CustomTaskPane>> panes_;
};

class CtpFactory final : public win::ComObject<ICTPFactory> {
public:
    CtpFactory(std::weak_ptr<OfficeWindows> windows, std::shared_ptr<TaskPaneList> panes);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;
    // ICTPFactory
    HRESULT STDMETHODCALLTYPE CreateCTP(BSTR ctpAxId, BSTR ctpTitle, VARIANT ctpParentWindow,
                                        _CustomTaskPane** pane) override;

private:
    win::LiveObjectToken alive_;
    std::weak_ptr<OfficeWindows> windows_;
    std::shared_ptr<TaskPaneList> panes_;
};

}  // namespace brackwell::office

#pragma once
// A fake Office host for the add-in's tests, deliberately minimal (the
// stand-in Excel's Office layer is another thing): the task-pane factory and
// the ribbon a COM add-in of Excel 2007 and later is handed. Each task pane
// is a window of Wine's ATL container ("AtlAxWin100", atl100.dll) at the
// left edge of its workbook's window, holding the control made by ProgID;
// it shows while Visible, is Width points wide and goes on Delete. No
// title, no floating, no docking elsewhere.

#include <windows.h>

#include <ocidl.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/office/office_interfaces.h"

namespace brackwell::win::test {

// atl100.dll loaded and its window classes registered; false without them.
bool InitAtl();
// The control an "AtlAxWin100" window holds, or nothing.
ComPtr<IUnknown> AtlControl(HWND axWindow);

// IDispatch of a dual Office interface: the add-in uses the vtable.
template <class... Interfaces>
class FakeDual : public ComObject<Interfaces...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
};

class FakeTaskPane final : public FakeDual<_CustomTaskPane, IConnectionPointContainer, IConnectionPoint> {
public:
    FakeTaskPane(HWND host, const wchar_t* progId);
    ~FakeTaskPane() override;

    void UserCloses();  // the close box: hidden, and VisibleStateChange
    HWND host;          // the workbook window
    HWND frame;         // the AtlAxWin100 window; null once deleted
    bool visible = false;
    int widthPoints = 0, dock = -1, restrict = -1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // _CustomTaskPane
    HRESULT STDMETHODCALLTYPE get_Title(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Window(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* shown) override;
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL shown) override;
    HRESULT STDMETHODCALLTYPE get_ContentControl(IDispatch** control) override;
    HRESULT STDMETHODCALLTYPE get_Height(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_Height(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Width(int* width) override { return *width = widthPoints, S_OK; }
    HRESULT STDMETHODCALLTYPE put_Width(int width) override;
    HRESULT STDMETHODCALLTYPE get_DockPosition(int* position) override { return *position = dock, S_OK; }
    HRESULT STDMETHODCALLTYPE put_DockPosition(int position) override { return dock = position, S_OK; }
    HRESULT STDMETHODCALLTYPE get_DockPositionRestrict(int* r) override { return *r = restrict, S_OK; }
    HRESULT STDMETHODCALLTYPE put_DockPositionRestrict(int r) override { return restrict = r, S_OK; }
    HRESULT STDMETHODCALLTYPE Delete() override;
    // IConnectionPointContainer, IConnectionPoint (_CustomTaskPaneEvents)
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

private:
    void Layout();
    std::vector<ComPtr<IDispatch>> sinks_;  // index + 1 is the cookie
};

class FakeOffice final : public FakeDual<ICTPFactory, IRibbonUI> {
public:
    explicit FakeOffice(IDispatch* application) : application_(application) {}

    bool refuse = false;                        // CreateCTP fails
    std::vector<ComPtr<FakeTaskPane>> panes;    // every pane made, in order
    std::vector<std::wstring> invalidated;      // InvalidateControl's IDs
    FakeTaskPane* PaneOf(HWND host) const;      // the living pane of a workbook window

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE CreateCTP(BSTR progId, BSTR title, VARIANT window, _CustomTaskPane** pane) override;
    HRESULT STDMETHODCALLTYPE Invalidate() override { return invalidated.push_back(L"*"), S_OK; }
    HRESULT STDMETHODCALLTYPE InvalidateControl(BSTR id) override { return invalidated.push_back(id), S_OK; }
    HRESULT STDMETHODCALLTYPE InvalidateControlMso(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTab(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTabMso(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTabQ(BSTR, BSTR) override { return E_NOTIMPL; }

private:
    IDispatch* application_;
};

}  // namespace brackwell::win::test

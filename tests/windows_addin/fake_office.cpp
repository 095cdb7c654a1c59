#include "tests/windows_addin/fake_office.h"

#include <olectl.h>

#include "adapters/windows/common/variant_convert.h"
#include "tests/windows/dispatch_call.h"

namespace brackwell::win::test {
namespace {

using AxFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

HMODULE Atl() {
    static const HMODULE atl = LoadLibraryW(L"atl100.dll");
    return atl;
}

template <class I>
HRESULT Offer(I* face, void** out) {
    face->AddRef();
    *out = face;
    return S_OK;
}

}  // namespace

bool InitAtl() {
    static const bool ready = [] {
        const auto init = reinterpret_cast<BOOL(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(Atl(), "AtlAxWinInit")));
        return init && init();
    }();
    return ready;
}

ComPtr<IUnknown> AtlControl(HWND axWindow) {
    const auto get = reinterpret_cast<AxFunction>(reinterpret_cast<void*>(GetProcAddress(Atl(), "AtlAxGetControl")));
    ComPtr<IUnknown> control;
    if (get) get(axWindow, control.Receive());
    return control;
}

// --- FakeTaskPane

FakeTaskPane::FakeTaskPane(HWND hostWindow, const wchar_t* progId) : host(hostWindow) {
    // The window's text names the control; its WM_CREATE makes it in place.
    frame = CreateWindowExW(0, L"AtlAxWin100", progId, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10, host, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

FakeTaskPane::~FakeTaskPane() {
    if (frame) DestroyWindow(frame);
}

void FakeTaskPane::Layout() {
    RECT client{};
    GetClientRect(host, &client);
    MoveWindow(frame, 0, 0, MulDiv(widthPoints, 96, 72), client.bottom, TRUE);
}

void FakeTaskPane::UserCloses() {
    put_Visible(VARIANT_FALSE);
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::QueryInterface(REFIID iid, void** out) {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(_CustomTaskPane)))
        return Offer(static_cast<_CustomTaskPane*>(this), out);
    if (IsEqualIID(iid, IID_IConnectionPointContainer)) return Offer(static_cast<IConnectionPointContainer*>(this), out);
    if (IsEqualIID(iid, IID_IConnectionPoint)) return Offer(static_cast<IConnectionPoint*>(this), out);
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::get_Visible(VARIANT_BOOL* shown) {
    if (!frame) return E_FAIL;
    *shown = visible ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::put_Visible(VARIANT_BOOL shown) {
    if (!frame) return E_FAIL;
    if (visible == (shown != VARIANT_FALSE)) return S_OK;
    visible = shown != VARIANT_FALSE;
    ShowWindow(frame, visible ? SW_SHOW : SW_HIDE);
    // Office tells of every change, its own and the add-in's.
    const ComPtr<FakeTaskPane> keepAlive(this);
    for (const ComPtr<IDispatch>& sink : sinks_) {
        if (sink) InvokeId(sink.Get(), office::dispid::kVisibleStateChange, DISPATCH_METHOD,
                           {Variant::Object(ComPtr<IDispatch>(static_cast<_CustomTaskPane*>(this)))});
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::get_ContentControl(IDispatch** control) {
    *control = nullptr;
    if (!frame) return E_FAIL;
    return AtlControl(frame).Get() ? AtlControl(frame)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(control))
                                   : S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::put_Width(int width) {
    if (!frame) return E_FAIL;
    widthPoints = width;
    Layout();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::Delete() {
    if (!frame) return E_FAIL;
    DestroyWindow(std::exchange(frame, nullptr));
    visible = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    *point = nullptr;
    if (!IsEqualIID(iid, office::kDiidCustomTaskPaneEvents)) return CONNECT_E_NOCONNECTION;
    return Offer(static_cast<IConnectionPoint*>(this), reinterpret_cast<void**>(point));
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::Advise(IUnknown* sink, DWORD* cookie) {
    ComPtr<IDispatch> events = ComPtr<IUnknown>(sink).Query<IDispatch>(office::kDiidCustomTaskPaneEvents);
    if (!events) return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back(events);
    *cookie = static_cast<DWORD>(sinks_.size());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE FakeTaskPane::Unadvise(DWORD cookie) {
    if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
    sinks_[cookie - 1].Reset();
    return S_OK;
}

// --- FakeOffice

FakeTaskPane* FakeOffice::PaneOf(HWND host) const {
    for (const auto& pane : panes) {
        if (pane->host == host && pane->frame) return pane.Get();
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE FakeOffice::QueryInterface(REFIID iid, void** out) {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(ICTPFactory)))
        return Offer(static_cast<ICTPFactory*>(this), out);
    if (IsEqualIID(iid, __uuidof(IRibbonUI))) return Offer(static_cast<IRibbonUI*>(this), out);
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE FakeOffice::CreateCTP(BSTR progId, BSTR, VARIANT window, _CustomTaskPane** pane) {
    *pane = nullptr;
    if (refuse) return E_FAIL;
    // The pane goes to the window given, or else to the active one.
    ComPtr<IDispatch> target = V_VT(&window) == VT_DISPATCH ? ComPtr<IDispatch>(V_DISPATCH(&window))
                                                             : ObjectOf(Get(application_, L"ActiveWindow"));
    const HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(ToInt32(Get(target.Get(), L"Hwnd").value.Get())));
    auto made = MakeComObject<FakeTaskPane>(host, progId);
    if (!made->frame) return E_FAIL;
    panes.push_back(made);
    *pane = made.Detach();
    return S_OK;
}

}  // namespace brackwell::win::test

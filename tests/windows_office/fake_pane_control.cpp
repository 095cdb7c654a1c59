// The fake task-pane control (see fake_office_addin.h): just enough of an
// in-place ActiveX control for Wine's container to show it.

#include <oleidl.h>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/ui/window_class.h"
#include "tests/windows_office/fake_office_addin.h"

namespace brackwell::office::test {
namespace {

constexpr wchar_t kWindowClass[] = L"FakePaneControl";

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) ControlLog().windowKeys.push_back(UINT(wParam));
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class FakePaneControl final
    : public win::ComObject<IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IDispatch> {
public:
    FakePaneControl() { ++ControlLog().alive; }
    ~FakePaneControl() override {
        if (window_) ::DestroyWindow(window_);
        --ControlLog().alive;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject)) {
            *out = static_cast<IOleObject*>(this);
        } else if (IsEqualIID(iid, IID_IOleInPlaceObject) || IsEqualIID(iid, IID_IOleWindow)) {
            *out = static_cast<IOleInPlaceObject*>(this);
        } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        } else if (IsEqualIID(iid, IID_IDispatch)) {
            *out = static_cast<IDispatch*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
        site_ = win::ComPtr<IOleClientSite>(site);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
        *site = win::ComPtr<IOleClientSite>(site_).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close(DWORD) override {
        InPlaceDeactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT place) override {
        if (window_) return S_OK;
        auto site = site_.Query<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (site) site->OnInPlaceActivate();
        win::EnsureWindowClass(::GetModuleHandleW(nullptr), kWindowClass, ControlWindowProc,
                               ::GetSysColorBrush(COLOR_WINDOW));
        const RECT r = place ? *place : RECT{};
        window_ = ::CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                    r.bottom - r.top, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        return window_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL* size) override {
        extent_ = *size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override {
        *size = extent_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
        *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                  OLEMISC_SETCLIENTSITEFIRST;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = window_;
        return window_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
        if (window_) ::DestroyWindow(window_);
        window_ = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT place, LPCRECT) override {
        if (window_ && place) {
            ::MoveWindow(window_, place->left, place->top, place->right - place->left, place->bottom - place->top,
                         TRUE);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

    // IOleInPlaceActiveObject: takes Tab, leaves every other key to the host.
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override {
        if (message->message != WM_KEYDOWN) return S_FALSE;
        ControlLog().acceleratorKeys.push_back(UINT(message->wParam));
        return message->wParam == VK_TAB ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }

    // IDispatch, without members: what ContentControl hands out.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    win::ComPtr<IOleClientSite> site_;
    HWND window_ = nullptr;
    SIZEL extent_{};
};

}  // namespace

win::ComPtr<IUnknown> MakeFakePaneControl() {
    const auto control = win::MakeComObject<FakePaneControl>();
    return win::ComPtr<IUnknown>(static_cast<IOleObject*>(control.Get()));
}

}  // namespace brackwell::office::test

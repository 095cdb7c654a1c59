#include "adapters/windows/addin/pane_host_control.h"

#include <ole2.h>

#include <utility>

#include "adapters/windows/addin/addin_ids.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/ui/dpi.h"

namespace brackwell::win::addin {
namespace {

constexpr LONG kHimetricPerInch = 2540;
// The size it asks for before a container gives it one: the docked pane's.
constexpr int kNaturalWidth = 215;   // pixels at 96 dpi
constexpr int kNaturalHeight = 400;  // likewise

LONG Himetric(int pixelsAt96) { return ::MulDiv(pixelsAt96, kHimetricPerInch, kBaseDpi); }

}  // namespace

PaneHostControl::PaneHostControl() : extent_{Himetric(kNaturalWidth), Himetric(kNaturalHeight)} {}

PaneHostControl::~PaneHostControl() {
    listener_ = nullptr;
    window_.Destroy();
}

HRESULT PaneHostControl::Create(REFIID iid, void** out) {
    return ComGuard(IID_IClassFactory, kPaneHostVersionIndependentProgId,
                    [&] { return MakeComObject<PaneHostControl>()->QueryInterface(iid, out); });
}

HRESULT STDMETHODCALLTYPE PaneHostControl::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject)) {
        *out = static_cast<IOleObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
        *out = static_cast<IOleInPlaceObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleInPlaceActiveObject)) {
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (IsEqualIID(iid, IID_IOleControl)) {
        *out = static_cast<IOleControl*>(this);
    } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
        *out = static_cast<IViewObject2*>(this);
    } else if (IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
        *out = static_cast<IPersistStreamInit*>(this);
    } else if (IsEqualIID(iid, __uuidof(IBrackwellPaneHost))) {
        *out = static_cast<IBrackwellPaneHost*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// --- IOleObject

HRESULT STDMETHODCALLTYPE PaneHostControl::SetClientSite(IOleClientSite* site) {
    site_ = ComPtr<IOleClientSite>(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = ComPtr<IOleClientSite>(site_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::Close(DWORD) {
    Deactivate();
    if (advises_) advises_->SendOnClose();
    advises_.Reset();
    viewSink_.Reset();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                                  LPCRECT place) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE: return Activate(site, parent, place, false);
    case OLEIVERB_UIACTIVATE: return Activate(site, parent, place, true);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (window_.Hwnd()) ::ShowWindow(window_.Hwnd(), SW_HIDE);
        return S_OK;
    default: return verb > 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    }
}

HRESULT STDMETHODCALLTYPE PaneHostControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (verbs) *verbs = nullptr;
    return OLEOBJ_E_NOVERBS;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = kClsidPaneHost;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(kClsidPaneHost, form, type);
}

HRESULT STDMETHODCALLTYPE PaneHostControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *size;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!advises_) {
        const HRESULT hr = CreateOleAdviseHolder(advises_.Receive());
        if (FAILED(hr)) return hr;
    }
    return advises_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE PaneHostControl::Unadvise(DWORD connection) {
    return advises_ ? advises_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::EnumAdvise(IEnumSTATDATA** advises) {
    if (advises == nullptr) return E_POINTER;
    *advises = nullptr;
    return advises_ ? advises_->EnumAdvise(advises) : S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) return E_POINTER;
    *status = kPaneHostMiscStatus;
    return S_OK;
}

// --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject

HRESULT STDMETHODCALLTYPE PaneHostControl::GetWindow(HWND* window) {
    if (window == nullptr) return E_POINTER;
    *window = window_.Hwnd();
    return *window ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::InPlaceDeactivate() {
    Deactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::UIDeactivate() {
    if (!userInterfaceActive_) return S_OK;
    userInterfaceActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::SetObjectRects(LPCRECT place, LPCRECT) {
    if (place == nullptr) return E_POINTER;
    // The move's WM_SIZE tells the pane (no polling).
    window_.Place(*place);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::TranslateAccelerator(LPMSG message) {
    // S_OK: the key was the pane's and is handled; S_FALSE: the host's.
    const ComPtr<IOleObject> keepAlive(this);  // a menu the key opens lets the host run meanwhile
    return message && window_.RouteKey(*message) ? S_OK : S_FALSE;
}

// --- IOleControl, IViewObject2

HRESULT STDMETHODCALLTYPE PaneHostControl::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) return E_POINTER;
    // No mnemonics: the pane's keys come through TranslateAccelerator.
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc,
                                                LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                                                ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (dc == nullptr || bounds == nullptr) return E_INVALIDARG;
    // The window draws itself; elsewhere (a picture of the pane) an empty face.
    const RECT area{bounds->left, bounds->top, bounds->right, bounds->bottom};
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = ComPtr<IAdviseSink>(sink);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) *sink = ComPtr<IAdviseSink>(viewSink_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// --- IDispatch: no members

HRESULT STDMETHODCALLTYPE PaneHostControl::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                                  EXCEPINFO*, UINT*) {
    if (result) VariantInit(result);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE PaneHostControl::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

// --- activation

HRESULT PaneHostControl::Activate(IOleClientSite* site, HWND parent, LPCRECT place, bool userInterface) {
    if (!window_.Hwnd()) {
        const ComPtr<IOleClientSite> client = site ? ComPtr<IOleClientSite>(site) : site_;
        const auto inPlace = client.Query<IOleInPlaceSite>();
        RECT where = place ? *place : RECT{};
        HWND host = parent;
        ComPtr<IOleInPlaceFrame> frame;
        if (inPlace) {
            if (inPlace->CanInPlaceActivate() != S_OK) return E_FAIL;
            inPlace->OnInPlaceActivate();
            HWND siteWindow = nullptr;
            if (SUCCEEDED(inPlace->GetWindow(&siteWindow)) && siteWindow) host = siteWindow;
            ComPtr<IOleInPlaceUIWindow> document;
            RECT position{}, clip{};
            OLEINPLACEFRAMEINFO frameInfo{};
            frameInfo.cb = sizeof frameInfo;
            if (SUCCEEDED(inPlace->GetWindowContext(frame.Receive(), document.Receive(), &position, &clip,
                                                    &frameInfo)))
                where = position;
        }
        closingReported_ = false;
        if (!host || !window_.Create(host, where)) {
            if (inPlace) inPlace->OnInPlaceDeactivate();
            return E_FAIL;
        }
        inPlaceSite_ = inPlace;
        frame_ = frame;
    }
    ::ShowWindow(window_.Hwnd(), SW_SHOW);
    if (userInterface && !userInterfaceActive_) {
        userInterfaceActive_ = true;
        if (inPlaceSite_) inPlaceSite_->OnUIActivate();
        // A host that routes keys finds the control here (Wine's ATL keeps nothing).
        if (frame_) frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    }
    return S_OK;
}

void PaneHostControl::Deactivate() {
    UIDeactivate();
    if (window_.Hwnd()) {
        // The pane form leaves before the window takes its children down.
        ReportClosing();
        window_.Destroy();
    }
    frame_.Reset();
    if (const ComPtr<IOleInPlaceSite> site = std::exchange(inPlaceSite_, nullptr)) site->OnInPlaceDeactivate();
}

void PaneHostControl::ReportClosing() {
    if (closingReported_ || !listener_) return;
    closingReported_ = true;
    const ComPtr<IOleObject> keepAlive(this);  // the listener may let go of the control
    listener_->ContentClosing();
}

void PaneHostControl::WindowResized() {
    if (!listener_) return;
    const ComPtr<IOleObject> keepAlive(this);
    listener_->ContentResized();
}

void PaneHostControl::WindowDestroying() { ReportClosing(); }

}  // namespace brackwell::win::addin

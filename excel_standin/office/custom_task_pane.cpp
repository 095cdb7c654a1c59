#include "excel_standin/office/custom_task_pane.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/ui/dpi.h"
#include "excel_standin/office/office_dispatch.h"
#include "excel_standin/office/task_pane_area.h"
#include "host/automation_error.h"

namespace brackwell::office {
namespace {

namespace id = win::office::dispid;
using K = MemberKind;

constexpr MemberInfo kMembers[] = {
    {L"Title", id::kTitle, K::Get, 0, 0},
    {L"Application", id::kApplication, K::Get, 0, 0},
    {L"Window", id::kWindow, K::Get, 0, 0},
    {L"Visible", id::kVisible, K::GetPut, 0, 0},
    {L"ContentControl", id::kContentControl, K::Get, 0, 0},
    {L"Height", id::kHeight, K::GetPut, 0, 0},
    {L"Width", id::kWidth, K::GetPut, 0, 0},
    {L"DockPosition", id::kDockPosition, K::GetPut, 0, 0},
    {L"DockPositionRestrict", id::kDockPositionRestrict, K::GetPut, 0, 0},
    {L"Delete", id::kDelete, K::Method, 0, 0},
};

constexpr std::int32_t kGone = static_cast<std::int32_t>(E_FAIL);

}  // namespace

win::ComPtr<CustomTaskPane> CustomTaskPane::Create(TaskPaneArea& area, const std::wstring& progId,
                                                   const std::wstring& title, win::ComPtr<IDispatch> application,
                                                   win::ComPtr<IDispatch> window, HRESULT& failure) {
    failure = S_OK;
    CLSID clsid{};
    // Known as a CLSID or a ProgID, or nothing is made (Wine's container
    // would take an unknown name for a web address).
    if (FAILED(::CLSIDFromString(progId.c_str(), &clsid)) && FAILED(::CLSIDFromProgID(progId.c_str(), &clsid))) {
        failure = CO_E_CLASSSTRING;
        return {};
    }
    auto pane = win::MakeComObject<CustomTaskPane>(area, title, std::move(application), std::move(window));
    if (!pane->Alive() || !pane->frame_->HostControl(progId)) {
        failure = E_FAIL;  // Office's code for a control it cannot make: UNCONFIRMED
        pane->Delete();
        return {};
    }
    return pane;
}

CustomTaskPane::CustomTaskPane(TaskPaneArea& area, std::wstring title, win::ComPtr<IDispatch> application,
                               win::ComPtr<IDispatch> window)
    : title_(std::move(title)),
      application_(std::move(application)),
      window_(std::move(window)),
      events_(*static_cast<_CustomTaskPane*>(this), win::office::kDiidCustomTaskPaneEvents) {
    const int dpi = win::WindowDpi(area.Window());
    TaskPaneFrame::Owner& owner = *this;
    frame_ = std::make_unique<TaskPaneFrame>(area, title_, ::MulDiv(widthPoints_, dpi, 72), owner);
}

CustomTaskPane::~CustomTaskPane() {
    destroying_ = true;
    frame_.reset();
}

int CustomTaskPane::Dpi() const { return win::WindowDpi(FrameWindow()); }

void CustomTaskPane::RequireAlive() const {
    if (!Alive()) Raise(kGone, "Der Aufgabenbereich wurde gelöscht.");
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(_CustomTaskPane))) {
        *out = static_cast<_CustomTaskPane*>(this);
    } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
        *out = events_.Container();
    } else {
        return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*out)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                        DISPID* ids) {
    return DispatchIdsOfNames(kMembers, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                                 VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    win::ComPtr<IUnknown> keepAlive(static_cast<_CustomTaskPane*>(this));
    const auto get = [this](DISPID which, const DispArgs&) -> Variant {
        switch (which) {
        case id::kTitle: return Variant::Text(std::wstring_view(title_));
        case id::kApplication: return Variant::Object(application_);
        case id::kWindow: return Variant::Object(window_);
        case id::kVisible: RequireAlive(); return Variant::Bool(frame_->Shown());
        case id::kContentControl: return ContentControl();
        case id::kHeight: {
            RequireAlive();
            RECT client{};
            ::GetClientRect(FrameWindow(), &client);
            return Variant::Int32(::MulDiv(client.bottom, 72, Dpi()));
        }
        case id::kWidth: RequireAlive(); return Variant::Int32(widthPoints_);
        case id::kDockPosition: RequireAlive(); return Variant::Int32(win::office::kDockLeft);
        case id::kDockPositionRestrict: RequireAlive(); return Variant::Int32(dockPositionRestrict_);
        case id::kDelete: win::ThrowIfFailed(Delete()); return {};
        default: return {};
        }
    };
    const auto put = [this](DISPID which, const DispArgs& args) {
        switch (which) {
        case id::kVisible: SetVisible(args.Bool(0)); break;
        case id::kWidth: SetWidth(args.Int(0)); break;
        case id::kHeight: win::ThrowIfFailed(put_Height(args.Int(0))); break;
        case id::kDockPosition: win::ThrowIfFailed(put_DockPosition(args.Int(0))); break;
        case id::kDockPositionRestrict: win::ThrowIfFailed(put_DockPositionRestrict(args.Int(0))); break;
        default: break;
        }
    };
    return DispatchInvoke(kMembers, member, iid, flags, params, result, exception, argError, get, put);
}

win::Variant CustomTaskPane::ContentControl() const {
    RequireAlive();
    // The control's IDispatch; a control without one gives Nothing.
    return Variant::Object(frame_->Control().Query<IDispatch>(IID_IDispatch));
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Title(BSTR* title) {
    if (title == nullptr) return E_POINTER;
    return Guarded(__uuidof(_CustomTaskPane), [&] { *title = win::Bstr(std::wstring_view(title_)).Detach(); });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Application(IDispatch** application) {
    if (application == nullptr) return E_POINTER;
    *application = win::ComPtr<IDispatch>(application_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Window(IDispatch** window) {
    if (window == nullptr) return E_POINTER;
    *window = win::ComPtr<IDispatch>(window_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Visible(VARIANT_BOOL* visible) {
    if (visible == nullptr) return E_POINTER;
    return Guarded(__uuidof(_CustomTaskPane), [&] {
        RequireAlive();
        *visible = frame_->Shown() ? VARIANT_TRUE : VARIANT_FALSE;
    });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::put_Visible(VARIANT_BOOL visible) {
    return Guarded(__uuidof(_CustomTaskPane), [&] { SetVisible(visible != VARIANT_FALSE); });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_ContentControl(IDispatch** control) {
    if (control == nullptr) return E_POINTER;
    *control = nullptr;
    return Guarded(__uuidof(_CustomTaskPane), [&] {
        win::Variant value = ContentControl();
        *control = win::ComPtr<IDispatch>(V_DISPATCH(&value.Get())).Detach();
    });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Height(int* height) {
    if (height == nullptr) return E_POINTER;
    return Guarded(__uuidof(_CustomTaskPane), [&] {
        RequireAlive();
        RECT client{};
        ::GetClientRect(FrameWindow(), &client);
        *height = ::MulDiv(client.bottom, 72, Dpi());
    });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::put_Height(int) {
    // A pane docked left or right takes its height from its window; Office
    // refuses the call (its code: UNCONFIRMED).
    return E_FAIL;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_Width(int* width) {
    if (width == nullptr) return E_POINTER;
    return Guarded(__uuidof(_CustomTaskPane), [&] {
        RequireAlive();
        *width = widthPoints_;
    });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::put_Width(int width) {
    return Guarded(__uuidof(_CustomTaskPane), [&] { SetWidth(width); });
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_DockPosition(int* position) {
    if (position == nullptr) return E_POINTER;
    if (!Alive()) return E_FAIL;
    *position = win::office::kDockLeft;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::put_DockPosition(int position) {
    if (!Alive()) return E_FAIL;
    // The stand-in docks panes at the left only.
    return position == win::office::kDockLeft ? S_OK : E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::get_DockPositionRestrict(int* restrict) {
    if (restrict == nullptr) return E_POINTER;
    if (!Alive()) return E_FAIL;
    *restrict = dockPositionRestrict_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::put_DockPositionRestrict(int restrict) {
    if (!Alive()) return E_FAIL;
    if (restrict < 0 || restrict > 3) return E_INVALIDARG;
    dockPositionRestrict_ = restrict;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CustomTaskPane::Delete() {
    if (!Alive()) return E_FAIL;
    frame_->Destroy();  // FrameDestroyed follows
    return S_OK;
}

void CustomTaskPane::SetVisible(bool visible) {
    RequireAlive();
    if (visible == frame_->Shown()) return;
    frame_->Show(visible);
    events_.Fire(win::office::dispid::kVisibleStateChange,
                 {Variant::Object(win::ComPtr<IDispatch>(static_cast<_CustomTaskPane*>(this)))});
}

void CustomTaskPane::SetWidth(int points) {
    RequireAlive();
    if (points <= 0) Raise(static_cast<std::int32_t>(E_INVALIDARG), "Ungültige Breite.");
    widthPoints_ = points;
    frame_->SetWidth(::MulDiv(points, Dpi(), 72));
}

void CustomTaskPane::CloseBoxPressed() {
    // The user's close only hides the pane; the object stays.
    try {
        SetVisible(false);
    } catch (...) {
    }
}

void CustomTaskPane::FrameDestroyed() {
    if (destroying_) return;
    events_.DropSinks();
    win::ComPtr<IUnknown> keepAlive(static_cast<_CustomTaskPane*>(this));  // the list may hold the last reference
    if (auto gone = std::move(gone_)) gone(*this);
}

}  // namespace brackwell::office

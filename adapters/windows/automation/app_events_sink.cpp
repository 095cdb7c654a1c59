#include "adapters/windows/automation/app_events_sink.h"

#include <ocidl.h>
#include <olectl.h>

#include <utility>

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/host_constants.h"

namespace brackwell::win {

namespace {

constexpr std::int32_t kNoSuchEvents = 459;
constexpr const char* kNoSuchEventsText =
    "Objekt oder Klasse unterstützt die Ereignismenge nicht (keine Verbindungsstelle für AppEvents)";

// The arguments of one event call, read in declaration order (Invoke passes
// them last to first) and checked before anything is handed on.
class EventArgs {
public:
    explicit EventArgs(const DISPPARAMS& params) : params_(params) {}

    UINT Count() const noexcept { return params_.cArgs; }
    // The position Invoke's puArgErr names for declaration position `i`.
    UINT RawIndex(UINT i) const noexcept { return params_.cArgs - 1 - i; }
    const VARIANT& At(UINT i) const noexcept { return Unwrapped(params_.rgvarg[RawIndex(i)]); }

    bool IsObject(UINT i) const noexcept {
        const VARIANT& v = At(i);
        return V_VT(&v) == VT_DISPATCH || (V_VT(&v) == (VT_DISPATCH | VT_BYREF) && V_DISPATCHREF(&v));
    }
    IDispatch* Object(UINT i) const noexcept {
        const VARIANT& v = At(i);
        return V_VT(&v) == VT_DISPATCH ? V_DISPATCH(&v) : *V_DISPATCHREF(&v);
    }
    // SaveAsUI comes by value from the host, by reference from some callers.
    bool IsBool(UINT i) const noexcept {
        const VARIANT& v = At(i);
        return V_VT(&v) == VT_BOOL || (V_VT(&v) == (VT_BOOL | VT_BYREF) && V_BOOLREF(&v));
    }
    bool Bool(UINT i) const noexcept {
        const VARIANT& v = At(i);
        return (V_VT(&v) == VT_BOOL ? V_BOOL(&v) : *V_BOOLREF(&v)) != VARIANT_FALSE;
    }
    // Cancel must be writable: a Boolean by reference.
    VARIANT_BOOL* BoolSlot(UINT i) const noexcept {
        const VARIANT& v = At(i);
        return V_VT(&v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(&v) : nullptr;
    }

private:
    const DISPPARAMS& params_;
};

enum class Param { Object, Bool, BoolByRef };

struct EventSignature {
    DISPID id;
    UINT count;
    Param params[3];
};

constexpr EventSignature kSignatures[] = {
    {app_event::kWorkbookDeactivate, 1, {Param::Object}},
    {app_event::kWorkbookOpen, 1, {Param::Object}},
    {app_event::kWorkbookActivate, 1, {Param::Object}},
    {app_event::kNewWorkbook, 1, {Param::Object}},
    {app_event::kWorkbookNewSheet, 2, {Param::Object, Param::Object}},
    {app_event::kWorkbookBeforeSave, 3, {Param::Object, Param::Bool, Param::BoolByRef}},
    {app_event::kSheetActivate, 1, {Param::Object}},
    {app_event::kWindowActivate, 2, {Param::Object, Param::Object}},
    {app_event::kWindowDeactivate, 2, {Param::Object, Param::Object}},
};

const EventSignature* SignatureOf(DISPID id) noexcept {
    for (const EventSignature& signature : kSignatures) {
        if (signature.id == id) return &signature;
    }
    return nullptr;
}

// S_OK, or the failure and the argument that does not fit.
HRESULT CheckArgs(const EventSignature& signature, const EventArgs& args, UINT* argError) noexcept {
    if (args.Count() != signature.count) return DISP_E_BADPARAMCOUNT;
    for (UINT i = 0; i < signature.count; ++i) {
        bool fits = false;
        switch (signature.params[i]) {
        case Param::Object: fits = args.IsObject(i); break;
        case Param::Bool: fits = args.IsBool(i); break;
        case Param::BoolByRef: fits = args.BoolSlot(i) != nullptr; break;
        }
        if (!fits) {
            if (argError) *argError = args.RawIndex(i);
            return DISP_E_TYPEMISMATCH;
        }
    }
    return S_OK;
}

class AppEventsSink final : public ComObject<IDispatch> {
public:
    AppEventsSink(AppEvents& target, std::shared_ptr<DispIdRegistry> registry)
        : target_(&target), registry_(std::move(registry)) {}

    // After this the sink answers every call with S_OK and does nothing: the
    // host may still hold it for a while after Unadvise.
    void Detach() noexcept { target_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, kDiidAppEvents)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) override {
        for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;  // the host calls by DISPID
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO* exception, UINT* argError) override {
        if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        const EventSignature* signature = SignatureOf(id);
        if (signature == nullptr || target_ == nullptr) return S_OK;
        if (params == nullptr) return DISP_E_BADPARAMCOUNT;
        if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
        const EventArgs args(*params);
        if (const HRESULT check = CheckArgs(*signature, args, argError); FAILED(check)) return check;

        ComPtr<IDispatch> keepAlive(this);  // the handler may end the connection
        AppEvents& target = *target_;
        try {
            Dispatch(id, args, target);
            return S_OK;
        } catch (...) {
            // The host ignores a sink's failure; the EXCEPINFO at least tells why.
            if (exception) FillExcepInfo(*exception, CurrentException(), L"Brackwell");
            return DISP_E_EXCEPTION;
        }
    }

private:
    WorkbookPtr Workbook(const EventArgs& args, UINT i) const {
        return MakeHostWorkbook(LateBound(ComPtr<IDispatch>(args.Object(i)), registry_));
    }
    SheetPtr Sheet(const EventArgs& args, UINT i) const {
        return MakeHostSheet(LateBound(ComPtr<IDispatch>(args.Object(i)), registry_));
    }
    WindowPtr Window(const EventArgs& args, UINT i) const {
        return MakeHostWindow(LateBound(ComPtr<IDispatch>(args.Object(i)), registry_));
    }

    void Dispatch(DISPID id, const EventArgs& args, AppEvents& target) const {
        switch (id) {
        case app_event::kWorkbookDeactivate: target.WorkbookDeactivate(Workbook(args, 0)); break;
        case app_event::kWorkbookOpen: target.WorkbookOpen(Workbook(args, 0)); break;
        case app_event::kWorkbookActivate: target.WorkbookActivate(Workbook(args, 0)); break;
        case app_event::kNewWorkbook: target.NewWorkbook(Workbook(args, 0)); break;
        case app_event::kWorkbookNewSheet: target.WorkbookNewSheet(Workbook(args, 0), Sheet(args, 1)); break;
        case app_event::kSheetActivate: target.SheetActivate(Sheet(args, 0)); break;
        case app_event::kWindowActivate: target.WindowActivate(Workbook(args, 0), Window(args, 1)); break;
        case app_event::kWindowDeactivate: target.WindowDeactivate(Workbook(args, 0), Window(args, 1)); break;
        case app_event::kWorkbookBeforeSave: {
            VARIANT_BOOL* slot = args.BoolSlot(2);
            bool cancel = *slot != VARIANT_FALSE;
            target.WorkbookBeforeSave(Workbook(args, 0), args.Bool(1), cancel);
            *slot = cancel ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        }
        default: break;
        }
    }

    AppEvents* target_;
    std::shared_ptr<DispIdRegistry> registry_;
};

class AppEventsConnection final : public EventConnection {
public:
    AppEventsConnection(ComPtr<IConnectionPoint> point, ComPtr<AppEventsSink> sink, DWORD cookie)
        : point_(std::move(point)), sink_(std::move(sink)), cookie_(cookie) {}
    ~AppEventsConnection() override {
        point_->Unadvise(cookie_);  // a host that is gone cannot be detached from; nothing to do
        sink_->Detach();
    }

private:
    ComPtr<IConnectionPoint> point_;
    ComPtr<AppEventsSink> sink_;
    DWORD cookie_;
};

}  // namespace

std::unique_ptr<EventConnection> AdviseAppEvents(const LateBound& application, AppEvents& sink) {
    if (application.IsNothing()) Raise(err::kObjectNotSet);
    auto container = ComPtr<IDispatch>(application.Dispatch()).Query<IConnectionPointContainer>();
    if (!container) Raise(kNoSuchEvents, kNoSuchEventsText);
    ComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(kDiidAppEvents, point.Receive())) || !point)
        Raise(kNoSuchEvents, kNoSuchEventsText);
    auto eventSink = MakeComObject<AppEventsSink>(sink, application.Registry());
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(static_cast<IDispatch*>(eventSink.Get()), &cookie);
    if (FAILED(hr)) {
        eventSink->Detach();
        throw ErrorFromFailedCall(hr, point.Get(), IID_IConnectionPoint);
    }
    return std::make_unique<AppEventsConnection>(std::move(point), std::move(eventSink), cookie);
}

}  // namespace brackwell::win

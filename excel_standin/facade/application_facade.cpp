#include "excel_standin/facade/application_facade.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/host_constants.h"
#include "adapters/windows/common/hresult_error.h"
#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"
#include "excel_standin/facade/single_connection_point_enum.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

constexpr wchar_t kErrorSource[] = L"Microsoft Excel";

// GetOpenFilename's answer as the host gives it: False, a text, or an array
// of Variant texts with lower bound 1.
Variant FileChoiceResult(const FileChoice& choice) {
    if (const bool* chosen = std::get_if<bool>(&choice)) return Variant::Bool(*chosen);
    if (const std::string* name = std::get_if<std::string>(&choice)) return Variant::Text(*name);
    const auto& names = std::get<std::vector<std::string>>(choice);
    Variant result;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 1, static_cast<ULONG>(names.size()));
    if (array == nullptr) Raise(7, "Nicht genügend Speicher");
    V_VT(result.Receive()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&result.Get()) = array;  // owned by `result` from here on
    LONG index = 1;
    for (const std::string& name : names) {
        Variant element = Variant::Text(name);
        ThrowIfFailed(SafeArrayPutElement(array, &index, &element.Get()));
        ++index;
    }
    return result;
}

class ApplicationFacade final : public FacadeObject, private AppEvents {
public:
    ApplicationFacade(FacadeContextPtr context, ApplicationPtr port, FacadeOptions options)
        : FacadeObject(std::move(context), TypeInfoOf<ApplicationFacade>(excel::kApplication, kMembers)),
          port_(std::move(port)),
          options_(options),
          container_(*this),
          point_(*this) {}

    ~ApplicationFacade() override { portEvents_.reset(); }

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Version", dispid::kVersion, K::Get, 0, 0},
        {L"Hwnd", dispid::kHwnd, K::Get, 0, 0},
        {L"ActiveWorkbook", dispid::kActiveWorkbook, K::Get, 0, 0},
        {L"ActiveSheet", dispid::kActiveSheet, K::Get, 0, 0},
        {L"Workbooks", dispid::kWorkbooks, K::Get, 0, 0},
        {L"Windows", dispid::kWindows, K::Get, 0, 0},
        {L"ActiveWindow", dispid::kActiveWindow, K::Get, 0, 0},
        {L"CommandBars", dispid::kCommandBars, K::Get, 0, 0},
        // (FileFilter, FilterIndex, Title, ButtonText, MultiSelect)
        {L"GetOpenFilename", dispid::kGetOpenFilename, K::Method, 0, 5},
        {L"Dialogs", dispid::kDialogs, K::Get, 0, 0},
        {L"Goto", dispid::kGoto, K::Method, 0, 2},  // (Reference, Scroll)
        {L"RecentFiles", dispid::kRecentFiles, K::Get, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kVersion: return Variant::Text(port_->Version());
        // The host's Hwnd is a Long; handles keep their meaning in 32 bits.
        case dispid::kHwnd: return Variant::Int32(static_cast<std::int32_t>(port_->Hwnd()));
        case dispid::kActiveWorkbook: return Wrap(Context(), port_->ActiveWorkbook());
        case dispid::kActiveSheet: return Wrap(Context(), port_->ActiveSheet());
        case dispid::kWorkbooks: return Wrap(Context(), port_->Workbooks());
        case dispid::kWindows: return Wrap(Context(), port_->Windows());
        case dispid::kActiveWindow: return Wrap(Context(), port_->ActiveWindow());
        case dispid::kCommandBars: return Wrap(Context(), port_->CommandBars());
        case dispid::kGetOpenFilename: {
            // Filter, filter index, title and button text only dress the dialog.
            for (UINT i = 0; i < 4; ++i)
                if (args.Given(i)) args.Text(i);
            return FileChoiceResult(port_->GetOpenFilename(args.OptionalBool(4).value_or(false)));
        }
        case dispid::kDialogs: return Wrap(Context(), port_->Dialogs());
        case dispid::kGoto: {
            args.OptionalBool(1);  // Scroll: where the window stands is not the port's business
            if (args.Given(0) && V_VT(&args.At(0)) == VT_DISPATCH) {
                const RangePtr range = PortRangeOf(args.Object(0).Get());
                if (!range) throw ArgumentError{0, DISP_E_TYPEMISMATCH};
                port_->Goto(range);
            } else {
                port_->Goto(args.Text(0));
            }
            return {};
        }
        case dispid::kRecentFiles: return Wrap(Context(), port_->RecentFiles());
        default: return {};
        }
    }

    void* QueryExtra(REFIID iid) noexcept override {
        if (options_.connectionPoints && IsEqualIID(iid, IID_IConnectionPointContainer))
            return static_cast<IConnectionPointContainer*>(&container_);
        return nullptr;
    }

    // --- AppEvents of the port, passed on to the advised sinks

    void WorkbookDeactivate(const WorkbookPtr& wb) override {
        FireWith(app_event::kWorkbookDeactivate, [&] { return Args(Wrap(Context(), wb)); });
    }
    void WorkbookOpen(const WorkbookPtr& wb) override {
        FireWith(app_event::kWorkbookOpen, [&] { return Args(Wrap(Context(), wb)); });
    }
    void WorkbookActivate(const WorkbookPtr& wb) override {
        FireWith(app_event::kWorkbookActivate, [&] { return Args(Wrap(Context(), wb)); });
    }
    void NewWorkbook(const WorkbookPtr& wb) override {
        FireWith(app_event::kNewWorkbook, [&] { return Args(Wrap(Context(), wb)); });
    }
    void WorkbookNewSheet(const WorkbookPtr& wb, const SheetPtr& sh) override {
        FireWith(app_event::kWorkbookNewSheet, [&] { return Args(Wrap(Context(), wb), Wrap(Context(), sh)); });
    }
    void WorkbookBeforeSave(const WorkbookPtr& wb, bool saveAsUi, bool& cancel) override {
        // Every sink sees, and may change, the Cancel the previous one left.
        VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        FireWith(app_event::kWorkbookBeforeSave, [&] {
            return Args(Wrap(Context(), wb), Variant::Bool(saveAsUi), Variant::BoolByRef(&flag));
        });
        cancel = flag != VARIANT_FALSE;
    }
    void SheetActivate(const SheetPtr& sh) override {
        FireWith(app_event::kSheetActivate, [&] { return Args(Wrap(Context(), sh)); });
    }
    void WindowActivate(const WorkbookPtr& wb, const WindowPtr& wn) override {
        FireWith(app_event::kWindowActivate, [&] { return Args(Wrap(Context(), wb), Wrap(Context(), wn)); });
    }
    void WindowDeactivate(const WorkbookPtr& wb, const WindowPtr& wn) override {
        FireWith(app_event::kWindowDeactivate, [&] { return Args(Wrap(Context(), wb), Wrap(Context(), wn)); });
    }

    // Nothing gets back into the port: a sink's failure is the sink's own,
    // as with the host.
    template <class MakeArgs>
    void FireWith(DISPID id, MakeArgs&& makeArgs) noexcept {
        try {
            ComPtr<IDispatch> keepAlive(AsDispatch());  // a sink may release the last reference
            std::vector<Variant> args = makeArgs();
            std::vector<VARIANT> reversed(args.size());
            for (std::size_t i = 0; i < args.size(); ++i) reversed[args.size() - 1 - i] = args[i].Get();
            DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
            const auto sinks = sinks_;  // sinks may unadvise while being called
            for (const auto& [cookie, sink] : sinks) {
                if (!IsAdvised(cookie)) continue;
                ExcepInfo exception;
                UINT argError = 0;
                sink->Invoke(id, IID_NULL, kHostLocale, DISPATCH_METHOD, &params, nullptr,
                             exception.Receive(), &argError);
            }
        } catch (...) {
        }
    }

    bool IsAdvised(DWORD cookie) const noexcept {
        return std::any_of(sinks_.begin(), sinks_.end(), [&](const auto& s) { return s.first == cookie; });
    }

    // --- the connection point container and its one connection point; both
    // live inside the application object and count its references.

    class Container final : public IConnectionPointContainer {
    public:
        explicit Container(ApplicationFacade& owner) : owner_(owner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            return owner_.QueryInterface(iid, out);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

        HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
            if (out == nullptr) return E_POINTER;
            return ComGuard(IID_IConnectionPointContainer, kErrorSource, [&] {
                *out = nullptr;
                *out = MakeComObject<SingleConnectionPointEnum>(
                           ComPtr<IConnectionPoint>(&owner_.point_)).Detach();
            });
        }
        HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
            if (out == nullptr) return E_POINTER;
            *out = nullptr;
            if (!IsEqualIID(iid, kDiidAppEvents)) return CONNECT_E_NOCONNECTION;
            *out = ComPtr<IConnectionPoint>(&owner_.point_).Detach();
            return S_OK;
        }

    private:
        ApplicationFacade& owner_;
    };

    class Point final : public IConnectionPoint, public ISupportErrorInfo {
    public:
        explicit Point(ApplicationFacade& owner) : owner_(owner) {}

        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            if (out == nullptr) return E_POINTER;
            if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
                *out = static_cast<IConnectionPoint*>(this);
            } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
                *out = static_cast<ISupportErrorInfo*>(this);
            } else {
                *out = nullptr;
                return E_NOINTERFACE;
            }
            AddRef();
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

        HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
            return IsEqualIID(iid, IID_IConnectionPoint) ? S_OK : S_FALSE;
        }

        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
            if (iid == nullptr) return E_POINTER;
            *iid = kDiidAppEvents;
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
            if (out == nullptr) return E_POINTER;
            *out = ComPtr<IConnectionPointContainer>(&owner_.container_).Detach();
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
            if (sink == nullptr || cookie == nullptr) return E_POINTER;
            *cookie = 0;
            // The sink must be a sink for this interface, as with the host.
            ComPtr<IDispatch> events;
            if (FAILED(sink->QueryInterface(kDiidAppEvents, events.ReceiveVoid())) || !events)
                return CONNECT_E_CANNOTCONNECT;
            return ComGuard(IID_IConnectionPoint, kErrorSource, [&] {
                if (!owner_.portEvents_) owner_.portEvents_ = owner_.port_->Advise(owner_);
                owner_.sinks_.emplace_back(owner_.nextCookie_, std::move(events));
                *cookie = owner_.nextCookie_++;
            });
        }
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
            auto& sinks = owner_.sinks_;
            const auto found =
                std::find_if(sinks.begin(), sinks.end(), [&](const auto& s) { return s.first == cookie; });
            if (found == sinks.end()) return CONNECT_E_NOCONNECTION;
            sinks.erase(found);
            return S_OK;
        }
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
            if (out) *out = nullptr;
            return E_NOTIMPL;  // allowed for connection points; nobody here lists sinks
        }

    private:
        ApplicationFacade& owner_;
    };

    ApplicationPtr port_;
    FacadeOptions options_;
    Container container_;
    Point point_;
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
    DWORD nextCookie_ = 1;
    // The port's events stay attached from the first Advise to the end of
    // the object; declared last, so it is detached before anything else goes.
    std::unique_ptr<EventConnection> portEvents_;
};

}  // namespace

ComPtr<IDispatch> MakeApplicationFacade(ApplicationPtr application, FacadeOptions options) {
    if (!application) Raise(err::kObjectNotSet);
    auto facade = MakeComObject<ApplicationFacade>(std::make_shared<FacadeContext>(),
                                                   std::move(application), options);
    return ComPtr<IDispatch>(facade->AsDispatch());
}

}  // namespace brackwell::win

#include "adapters/windows/addin/office_task_panes.h"

#include <ocidl.h>

#include <cmath>
#include <utility>

#include "adapters/windows/addin/addin_ids.h"
#include "adapters/windows/addin/pane_host_link.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_guard.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/variant.h"
#include "core/failure.h"

namespace brackwell::win::addin {
namespace {

using office::kDiidCustomTaskPaneEvents;

void Check(HRESULT hr, IUnknown* callee, REFIID iid) {
    if (FAILED(hr)) throw ErrorFromFailedCall(hr, callee, iid);
}

class OfficeTaskPane;

// _CustomTaskPaneEvents of one task pane. Office may call it after the pane
// let go of it; then it does nothing.
class TaskPaneEventSink final : public ComObject<IDispatch> {
public:
    explicit TaskPaneEventSink(OfficeTaskPane& owner) : owner_(&owner) {}
    void Detach() noexcept { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, kDiidCustomTaskPaneEvents))
            return E_NOINTERFACE;
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
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
        return DISP_E_UNKNOWNNAME;  // Office calls by DISPID
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    OfficeTaskPane* owner_;
};

class OfficeTaskPane final : public TaskPane, private PaneHostListener {
public:
    OfficeTaskPane(Component& component, ComPtr<_CustomTaskPane> pane, TaskPaneEvents& events)
        : component_(component), pane_(std::move(pane)), events_(events) {
        Advise();
        Link();
    }
    ~OfficeTaskPane() override {
        if (control_) control_->SetListener(nullptr);
        if (point_) point_->Unadvise(cookie_);
        if (sink_) sink_->Detach();
    }

    WindowHandle Content() override {
        Link();
        return control_ ? reinterpret_cast<WindowHandle>(control_->ContentWindow()) : 0;
    }
    bool Visible() override {
        VARIANT_BOOL visible = VARIANT_FALSE;
        Check(pane_->get_Visible(&visible), pane_.Get(), __uuidof(_CustomTaskPane));
        return visible != VARIANT_FALSE;
    }
    void SetVisible(bool visible) override {
        const bool known = control_ != nullptr;
        Check(pane_->put_Visible(visible ? VARIANT_TRUE : VARIANT_FALSE), pane_.Get(), __uuidof(_CustomTaskPane));
        // A host that makes the control only when the pane first shows has it
        // now, and its window's first size went unheard.
        if (!known && Link() && control_->ContentWindow()) ContentResized();
    }
    void SetWidth(std::int32_t pixels) override {
        // Points: three quarters of a 96-dpi pixel; Office scales them to the screen.
        const int points = static_cast<int>(std::lround(pixels * 72.0 / 96.0));
        Check(pane_->put_Width(points), pane_.Get(), __uuidof(_CustomTaskPane));
    }
    void Delete() override { Check(pane_->Delete(), pane_.Get(), __uuidof(_CustomTaskPane)); }

    // Each event counts as a call into the component while it runs, and
    // none of its failures goes back into Office or the control.
    void VisibleStateChanged() noexcept {
        ComponentEntry entry(component_);
        IgnoreFailure([&] { events_.VisibleStateChange(*this); });
    }

private:
    void ContentResized() noexcept override {
        ComponentEntry entry(component_);
        IgnoreFailure([&] { events_.ContentResized(*this); });
    }
    void ContentClosing() noexcept override {
        ComponentEntry entry(component_);
        IgnoreFailure([&] { events_.ContentClosing(*this); });
    }

    // The close box is followed through the pane's events; without them the
    // pane still works.
    void Advise() {
        const auto container = pane_.Query<IConnectionPointContainer>();
        if (!container || FAILED(container->FindConnectionPoint(kDiidCustomTaskPaneEvents, point_.Receive())) ||
            !point_)
            return;
        sink_ = MakeComObject<TaskPaneEventSink>(*this);
        if (FAILED(point_->Advise(static_cast<IDispatch*>(sink_.Get()), &cookie_))) {
            point_.Reset();
            sink_->Detach();
        }
    }

    // The control in the pane, once Office has made it. True when it is known.
    bool Link() {
        if (control_) return true;
        ComPtr<IDispatch> content;
        if (FAILED(pane_->get_ContentControl(content.Receive())) || !content) return false;
        control_ = content.Query<IBrackwellPaneHost>();
        if (!control_) return false;
        control_->SetListener(this);
        return true;
    }

    Component& component_;
    ComPtr<_CustomTaskPane> pane_;
    TaskPaneEvents& events_;
    ComPtr<IBrackwellPaneHost> control_;
    ComPtr<IConnectionPoint> point_;
    ComPtr<TaskPaneEventSink> sink_;
    DWORD cookie_ = 0;
};

HRESULT STDMETHODCALLTYPE TaskPaneEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                                    EXCEPINFO*, UINT*) {
    if (result) VariantInit(result);
    if (id != office::dispid::kVisibleStateChange || owner_ == nullptr) return S_OK;
    const ComPtr<IDispatch> keepAlive(this);  // the handler may let go of the pane
    owner_->VisibleStateChanged();
    return S_OK;
}

}  // namespace

OfficeTaskPaneFactory::OfficeTaskPaneFactory(Component& component, ComPtr<ICTPFactory> factory)
    : component_(component), factory_(std::move(factory)) {}

std::shared_ptr<TaskPane> OfficeTaskPaneFactory::CreateTaskPane(const std::string& title, const WindowPtr& window,
                                                                TaskPaneEvents& events) {
    if (!factory_) Raise(err::kObjectNotSet);
    const Variant parent =
        window ? Variant::Object(ComPtr<IDispatch>(HostWindowDispatch(window))) : Variant::Missing();
    ComPtr<_CustomTaskPane> pane;
    Check(factory_->CreateCTP(Bstr(std::wstring_view(kPaneHostVersionIndependentProgId)).Get(),
                              Bstr(std::string_view(title)).Get(), parent.Get(), pane.Receive()),
          factory_.Get(), __uuidof(ICTPFactory));
    if (!pane) Raise(err::kObjectNotSet);
    // Where it docks is a wish: a host that refuses it still shows the pane.
    pane->put_DockPosition(office::kDockLeft);
    pane->put_DockPositionRestrict(office::kRestrictNoHorizontal);
    return std::make_shared<OfficeTaskPane>(component_, std::move(pane), events);
}

void OfficeRibbon::InvalidateControl(const std::string& id) {
    Check(ribbon_->InvalidateControl(Bstr(std::string_view(id)).Get()), ribbon_.Get(), __uuidof(IRibbonUI));
}

}  // namespace brackwell::win::addin

#include "excel_standin/office/ribbon_objects.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/office_dispatch.h"

namespace brackwell::office {
namespace {

namespace id = win::office::dispid;

// IDispatch of a dual interface `I` whose members `Self` answers by DISPID.
template <class I, class Self>
class DualObject : public win::ComObject<I> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, __uuidof(I)))
            return E_NOINTERFACE;
        *out = static_cast<I*>(this);
        this->AddRef();
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
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispatchIdsOfNames(Self::kMembers, iid, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
        return DispatchInvoke(Self::kMembers, member, iid, flags, params, result, exception, argError,
                              [this](DISPID which, const DispArgs& args) {
                                  return static_cast<Self*>(this)->Answer(which, args);
                              });
    }

private:
    win::LiveObjectToken alive_;
};

class RibbonControl final : public DualObject<IRibbonControl, RibbonControl> {
public:
    static constexpr MemberInfo kMembers[] = {
        {L"Id", id::kRibbonControlId, MemberKind::Get, 0, 0},
        {L"Context", id::kRibbonControlContext, MemberKind::Get, 0, 0},
        {L"Tag", id::kRibbonControlTag, MemberKind::Get, 0, 0},
    };

    RibbonControl(std::wstring id, std::wstring tag, win::ComPtr<IDispatch> context)
        : id_(std::move(id)), tag_(std::move(tag)), context_(std::move(context)) {}

    Variant Answer(DISPID which, const DispArgs&) {
        if (which == id::kRibbonControlId) return Variant::Text(std::wstring_view(id_));
        if (which == id::kRibbonControlTag) return Variant::Text(std::wstring_view(tag_));
        return Variant::Object(context_);
    }

    HRESULT STDMETHODCALLTYPE get_Id(BSTR* id) override { return Text(id_, id); }
    HRESULT STDMETHODCALLTYPE get_Tag(BSTR* tag) override { return Text(tag_, tag); }
    HRESULT STDMETHODCALLTYPE get_Context(IDispatch** context) override {
        if (context == nullptr) return E_POINTER;
        *context = win::ComPtr<IDispatch>(context_).Detach();
        return S_OK;
    }

private:
    static HRESULT Text(const std::wstring& value, BSTR* out) {
        if (out == nullptr) return E_POINTER;
        *out = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
        return *out || value.empty() ? S_OK : E_OUTOFMEMORY;
    }

    std::wstring id_;
    std::wstring tag_;
    win::ComPtr<IDispatch> context_;
};

class RibbonUi final : public DualObject<IRibbonUI, RibbonUi> {
public:
    static constexpr MemberInfo kMembers[] = {
        {L"Invalidate", id::kInvalidate, MemberKind::Method, 0, 0},
        {L"InvalidateControl", id::kInvalidateControl, MemberKind::Method, 1, 1},
    };

    explicit RibbonUi(std::weak_ptr<RibbonInvalidation> target) : target_(std::move(target)) {}

    Variant Answer(DISPID which, const DispArgs& args) {
        if (which == id::kInvalidate) {
            Invalidate();
        } else {
            const win::Bstr control(win::Utf8ToWide(args.Text(0)));
            InvalidateControl(control.Get());
        }
        return {};
    }

    HRESULT STDMETHODCALLTYPE Invalidate() override {
        if (auto target = target_.lock()) target->InvalidateAll();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InvalidateControl(BSTR controlId) override {
        if (auto target = target_.lock()) target->InvalidateControl(controlId ? controlId : L"");
        return S_OK;
    }
    // Office 2010's additions: built-in controls and tabs are not the stand-in's to change.
    HRESULT STDMETHODCALLTYPE InvalidateControlMso(BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTabMso(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ActivateTabQ(BSTR, BSTR) override { return E_NOTIMPL; }

private:
    std::weak_ptr<RibbonInvalidation> target_;
};

}  // namespace

win::ComPtr<IRibbonControl> MakeRibbonControl(std::wstring id, std::wstring tag, win::ComPtr<IDispatch> context) {
    return win::ComPtr<IRibbonControl>::Adopt(
        win::MakeComObject<RibbonControl>(std::move(id), std::move(tag), std::move(context)).Detach());
}

win::ComPtr<IRibbonUI> MakeRibbonUi(std::weak_ptr<RibbonInvalidation> target) {
    return win::ComPtr<IRibbonUI>::Adopt(win::MakeComObject<RibbonUi>(std::move(target)).Detach());
}

}  // namespace brackwell::office

#include "excel_standin/office/com_addin_object.h"

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/facade/live_objects.h"
#include "excel_standin/office/office_dispatch.h"

namespace brackwell::office {
namespace {

constexpr DISPID kDescription = 0;
constexpr DISPID kProgId = 3;
constexpr DISPID kGuid = 4;
constexpr DISPID kConnect = 6;
constexpr DISPID kObject = 7;
constexpr DISPID kApplication = 0x60020000;

constexpr MemberInfo kMembers[] = {
    {L"Description", kDescription, MemberKind::GetPut, 0, 0}, {L"ProgId", kProgId, MemberKind::Get, 0, 0},
    {L"Guid", kGuid, MemberKind::Get, 0, 0},                  {L"Connect", kConnect, MemberKind::Get, 0, 0},
    {L"Object", kObject, MemberKind::GetPut, 0, 0},           {L"Application", kApplication, MemberKind::Get, 0, 0},
};

class ComAddIn final : public win::ComObject<IDispatch> {
public:
    ComAddIn(std::shared_ptr<ComAddInState> state, win::ComPtr<IDispatch> application)
        : state_(std::move(state)), application_(std::move(application)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch)) return E_NOINTERFACE;
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
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return DispatchIdsOfNames(kMembers, iid, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override {
        return DispatchInvoke(
            kMembers, id, iid, flags, params, result, exception, argError,
            [this](DISPID which, const DispArgs&) -> Variant {
                switch (which) {
                case kDescription: return Variant::Text(std::wstring_view(state_->description));
                case kProgId: return Variant::Text(std::wstring_view(state_->progId));
                case kGuid: return Variant::Text(std::wstring_view(Guid()));
                case kConnect: return Variant::Bool(state_->connected);
                case kObject: return Variant::Object(state_->object);
                default: return Variant::Object(application_);
                }
            },
            [this](DISPID which, const DispArgs& args) {
                if (which == kDescription) state_->description = win::Utf8ToWide(args.Text(0));
                if (which == kObject) state_->object = args.Object(0);
            });
    }

private:
    std::wstring Guid() const {
        CLSID clsid{};
        wchar_t text[40] = {};
        if (SUCCEEDED(::CLSIDFromProgID(state_->progId.c_str(), &clsid))) ::StringFromGUID2(clsid, text, 40);
        return text;
    }

    win::LiveObjectToken alive_;
    std::shared_ptr<ComAddInState> state_;
    win::ComPtr<IDispatch> application_;
};

}  // namespace

win::ComPtr<IDispatch> MakeComAddInObject(std::shared_ptr<ComAddInState> state, win::ComPtr<IDispatch> application) {
    return win::ComPtr<IDispatch>::Adopt(
        win::MakeComObject<ComAddIn>(std::move(state), std::move(application)).Detach());
}

}  // namespace brackwell::office

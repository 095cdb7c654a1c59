#include "adapters/windows/addin/addin_faces.h"

#include <string>

#include "adapters/windows/addin/addin_dispatch.h"
#include "adapters/windows/addin/office_task_panes.h"
#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/common/variant.h"
#include "pane/ribbon_ui.h"

namespace brackwell::win::addin {
namespace {

constexpr wchar_t kSource[] = L"Brackwell.Connect";

namespace ribbon_dispid {
constexpr DISPID kGetCustomUI = office::dispid::kGetCustomUI;
constexpr DISPID kOnLoad = 101;
constexpr DISPID kGetPressed = 102;
constexpr DISPID kOnToggle = 103;
constexpr DISPID kOnRefresh = 104;
}  // namespace ribbon_dispid

// GetCustomUI and the callbacks the customUI document names.
std::span<const DispatchName> RibbonMembers() {
    static const std::wstring onLoad = Utf8ToWide(ribbon::kOnLoad);
    static const std::wstring getPressed = Utf8ToWide(ribbon::kGetPressed);
    static const std::wstring onToggle = Utf8ToWide(ribbon::kOnToggle);
    static const std::wstring onRefresh = Utf8ToWide(ribbon::kOnRefresh);
    static const DispatchName members[] = {{L"GetCustomUI", ribbon_dispid::kGetCustomUI},
                                           {onLoad.c_str(), ribbon_dispid::kOnLoad},
                                           {getPressed.c_str(), ribbon_dispid::kGetPressed},
                                           {onToggle.c_str(), ribbon_dispid::kOnToggle},
                                           {onRefresh.c_str(), ribbon_dispid::kOnRefresh}};
    return members;
}

constexpr DispatchName kConsumerMembers[] = {{L"CTPFactoryAvailable", office::dispid::kCTPFactoryAvailable}};

HRESULT NoTypeInfo(ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT NoTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

}  // namespace

// --- IRibbonExtensibility

HRESULT STDMETHODCALLTYPE RibbonFace::GetTypeInfoCount(UINT* count) { return NoTypeInfoCount(count); }
HRESULT STDMETHODCALLTYPE RibbonFace::GetTypeInfo(UINT, LCID, ITypeInfo** info) { return NoTypeInfo(info); }

HRESULT STDMETHODCALLTYPE RibbonFace::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return IdsOfNames(RibbonMembers(), iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE RibbonFace::Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                                             VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (result) VariantInit(result);
    const DISPPARAMS none{};
    const DISPPARAMS& given = params ? *params : none;
    const ComPtr<IUnknown> keepAlive(&owner_.Outer());  // Excel may let go of the add-in meanwhile
    // Office's flags for a callback are not relied on: the name says what it is.
    return GuardedInvoke(__uuidof(IRibbonExtensibility), kSource, exception, argError,
                         [&] { return InvokeMember(id, given, result); });
}

HRESULT RibbonFace::InvokeMember(DISPID id, const DISPPARAMS& params, VARIANT* result) {
    // Every callback's first argument is the IRibbonControl (rgvarg[cArgs-1]);
    // onLoad's only one is the IRibbonUI.
    switch (id) {
    case ribbon_dispid::kGetCustomUI: {
        const DispatchArguments args(params, 1, 0);
        if (result) Variant::Text(std::string_view(AddIn::CustomUi())).DetachTo(result);
        return S_OK;
    }
    case ribbon_dispid::kOnLoad: {
        const DispatchArguments args(params, 1, 1);
        auto ribbon = args.Object(0).Query<IRibbonUI>();
        if (!ribbon) Raise(err::kTypeMismatch);
        owner_.Core()->RibbonLoaded(std::make_shared<OfficeRibbon>(std::move(ribbon)));
        return S_OK;
    }
    case ribbon_dispid::kGetPressed: {
        const DispatchArguments args(params, 1, 1);
        const bool pressed = owner_.Core()->NavigatorPressed();
        if (result) Variant::Bool(pressed).DetachTo(result);
        return S_OK;
    }
    case ribbon_dispid::kOnToggle: {
        // pressed: VT_BOOL, or VT_BOOL|VT_BYREF as the documented
        // VARIANT_BOOL* suggests; both are read.
        const DispatchArguments args(params, 2, 2);
        owner_.Core()->ToggleNavigator(args.OptionalBool(1));
        return S_OK;
    }
    case ribbon_dispid::kOnRefresh: {
        const DispatchArguments args(params, 1, 1);
        owner_.Core()->Refresh();
        return S_OK;
    }
    default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT STDMETHODCALLTYPE RibbonFace::GetCustomUI(BSTR, BSTR* ribbonXml) {
    if (ribbonXml == nullptr) return E_POINTER;
    *ribbonXml = nullptr;
    // One ribbon in Excel: whatever its ID, the same document.
    return ComGuard(__uuidof(IRibbonExtensibility), kSource,
                    [&] { *ribbonXml = Bstr(std::string_view(AddIn::CustomUi())).Detach(); });
}

// --- ICustomTaskPaneConsumer

HRESULT STDMETHODCALLTYPE PaneConsumerFace::GetTypeInfoCount(UINT* count) { return NoTypeInfoCount(count); }
HRESULT STDMETHODCALLTYPE PaneConsumerFace::GetTypeInfo(UINT, LCID, ITypeInfo** info) { return NoTypeInfo(info); }

HRESULT STDMETHODCALLTYPE PaneConsumerFace::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                          DISPID* ids) {
    return IdsOfNames(kConsumerMembers, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE PaneConsumerFace::Invoke(DISPID id, REFIID iid, LCID, WORD, DISPPARAMS* params,
                                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (result) VariantInit(result);
    if (id != office::dispid::kCTPFactoryAvailable) return DISP_E_MEMBERNOTFOUND;
    const DISPPARAMS none{};
    const DISPPARAMS& given = params ? *params : none;
    return GuardedInvoke(__uuidof(ICustomTaskPaneConsumer), kSource, exception, argError, [&] {
        const DispatchArguments args(given, 1, 1);
        const auto factory = args.Object(0).Query<ICTPFactory>();
        if (!factory) Raise(err::kTypeMismatch);
        return CTPFactoryAvailable(factory.Get());
    });
}

HRESULT STDMETHODCALLTYPE PaneConsumerFace::CTPFactoryAvailable(ICTPFactory* factory) {
    const ComPtr<IUnknown> keepAlive(&owner_.Outer());
    return ComGuard(__uuidof(ICustomTaskPaneConsumer), kSource, [&] {
        std::shared_ptr<TaskPaneFactory> panes;
        if (factory) panes = std::make_shared<OfficeTaskPaneFactory>(owner_.SharedComponent(), ComPtr<ICTPFactory>(factory));
        // The pane's own failures are its message boxes; none comes back here.
        owner_.Core()->TaskPanesAvailable(std::move(panes));
    });
}

}  // namespace brackwell::win::addin

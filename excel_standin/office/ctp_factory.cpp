#include "excel_standin/office/ctp_factory.h"

#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/utf.h"
#include "excel_standin/office/office_dispatch.h"
#include "excel_standin/office/office_windows.h"
#include "excel_standin/office/task_pane_area.h"

namespace brackwell::office {
namespace {

constexpr MemberInfo kMembers[] = {
    {L"CreateCTP", win::office::dispid::kCreateCTP, MemberKind::Method, 2, 3},
};

}  // namespace

void TaskPaneList::Add(win::ComPtr<CustomTaskPane> pane) {
    pane->OnGone([list = weak_from_this()](CustomTaskPane& gone) {
        if (auto panes = list.lock()) {
            std::erase_if(panes->panes_, [&](const auto& p) { return p.Get() == &gone; });
        }
    });
    panes_.push_back(std::move(pane));
}

void TaskPaneList::DeleteAll() noexcept {
    const auto panes = panes_;
    for (const auto& pane : panes) pane->Delete();
    panes_.clear();
}

CtpFactory::CtpFactory(std::weak_ptr<OfficeWindows> windows, std::shared_ptr<TaskPaneList> panes)
    : windows_(std::move(windows)), panes_(std::move(panes)) {}

HRESULT STDMETHODCALLTYPE CtpFactory::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) && !IsEqualIID(iid, __uuidof(ICTPFactory)))
        return E_NOINTERFACE;
    *out = static_cast<ICTPFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CtpFactory::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CtpFactory::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT STDMETHODCALLTYPE CtpFactory::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return DispatchIdsOfNames(kMembers, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE CtpFactory::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                             VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    return DispatchInvoke(kMembers, id, iid, flags, params, result, exception, argError,
                          [this](DISPID, const DispArgs& args) -> Variant {
                              const win::Bstr axId(win::Utf8ToWide(args.Text(0)));
                              const win::Bstr title(win::Utf8ToWide(args.Text(1)));
                              Variant parent = args.Given(2) ? Variant::CopyOf(args.At(2)) : Variant::Missing();
                              win::ComPtr<_CustomTaskPane> pane;
                              win::ThrowIfFailed(CreateCTP(axId.Get(), title.Get(), parent.Get(), pane.Receive()));
                              return Variant::Object(pane.Query<IDispatch>(IID_IDispatch));
                          });
}

HRESULT STDMETHODCALLTYPE CtpFactory::CreateCTP(BSTR ctpAxId, BSTR ctpTitle, VARIANT ctpParentWindow,
                                                _CustomTaskPane** pane) {
    if (pane == nullptr) return E_POINTER;
    *pane = nullptr;
    return Guarded(__uuidof(ICTPFactory), [&]() -> HRESULT {
        const std::shared_ptr<OfficeWindows> windows = windows_.lock();
        if (!windows) return E_FAIL;  // Excel has closed
        win::ComPtr<IDispatch> window;
        const VARIANT& parent = win::Unwrapped(ctpParentWindow);
        if (V_VT(&parent) == VT_DISPATCH) {
            window = win::ComPtr<IDispatch>(V_DISPATCH(&parent));
        } else if (!win::IsMissing(parent) && V_VT(&parent) != VT_EMPTY) {
            return DISP_E_TYPEMISMATCH;
        }
        const HWND frame = windows->FrameOf(window.Get());
        TaskPaneArea* area = TaskPaneArea::FromWindow(windows->TaskPaneAreaOf(frame));
        if (!area) return E_FAIL;  // no window that shows task panes
        if (!window) window = windows->WindowObjectOf(frame);
        HRESULT failure = S_OK;
        win::ComPtr<CustomTaskPane> made =
            CustomTaskPane::Create(*area, ctpAxId ? ctpAxId : L"", ctpTitle ? ctpTitle : L"", windows->Application(),
                                   window, failure);
        if (!made) return failure;
        panes_->Add(made);
        *pane = made.Detach();
        return S_OK;
    });
}

}  // namespace brackwell::office

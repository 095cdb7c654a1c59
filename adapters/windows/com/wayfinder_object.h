#pragma once
// The COM object behind "Brackwell.Wayfinder": one navigator, reached late
// through a hand-written IDispatch whose members and DISPIDs are those of the
// type library's dispinterface _Wayfinder:
//
//   mExcel        get: the host last written (Nothing before);
//                 put or Set: a host application object, or Nothing
//   SizeOn, CreateNavBar, DelNavBar
//   UpdateTree    [optional, by reference] bClear, False when omitted
//   CreateLink    [by reference] Wb, a workbook
//
// Nothing thrown inside reaches the caller: a failure becomes an HRESULT
// with IErrorInfo, and Invoke also fills the EXCEPINFO (DISP_E_EXCEPTION),
// which is what VBScript's and VBA's Err.Description read.

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>

#include <memory>

#include "adapters/windows/com/server_module.h"
#include "adapters/windows/common/com_object.h"
#include "core/wayfinder.h"

namespace brackwell::win {

class WayfinderObject final : public ComObject<IDispatch, ISupportErrorInfo, IProvideClassInfo> {
public:
    // Creates the navigator; throws AutomationError when it cannot load the
    // settings (the description names the setting).
    explicit WayfinderObject(Component& component);
    ~WayfinderObject() override;

    // The class factory's creation: a navigator over the process's component.
    static HRESULT Create(REFIID iid, void** out);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // IProvideClassInfo
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;

    IDispatch* AsDispatch() noexcept { return static_cast<IDispatch*>(this); }

private:
    HRESULT InvokeMember(DISPID id, WORD flags, const DISPPARAMS& params, VARIANT* result);
    void PutHost(const ComPtr<IDispatch>& host);

    server::LiveObject alive_;
    ComPtr<IDispatch> host_;  // what mExcel was last written with, as the caller gave it
    std::unique_ptr<Wayfinder> navigator_;
};

}  // namespace brackwell::win

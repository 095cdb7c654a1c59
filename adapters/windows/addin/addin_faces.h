#pragma once
// The add-in's two faces besides its connection, each an interface of the
// same COM object (one identity: QueryInterface on either reaches the
// others) with an IDispatch of its own, since Office calls both by name or
// DISPID and their DISPIDs overlap those of IDTExtensibility2:
//
//   RibbonFace          IRibbonExtensibility: GetCustomUI, and the
//                       ribbon's callbacks by name (pane/ribbon_ui.h)
//   PaneConsumerFace    ICustomTaskPaneConsumer: CTPFactoryAvailable

#include <windows.h>

#include <memory>

#include "adapters/windows/office/office_interfaces.h"
#include "core/addin.h"

namespace brackwell::win::addin {

// What a face needs of the object it belongs to.
class AddInAccess {
public:
    // The portable add-in, made on first use.
    virtual std::shared_ptr<AddIn> Core() = 0;
    virtual Component& SharedComponent() = 0;
    // The object's identity, for the faces' IUnknown.
    virtual IUnknown& Outer() = 0;

protected:
    ~AddInAccess() = default;
};

class RibbonFace final : public IRibbonExtensibility {
public:
    explicit RibbonFace(AddInAccess& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return owner_.Outer().QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.Outer().AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Outer().Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override;

private:
    HRESULT InvokeMember(DISPID id, const DISPPARAMS& params, VARIANT* result);

    AddInAccess& owner_;
};

class PaneConsumerFace final : public ICustomTaskPaneConsumer {
public:
    explicit PaneConsumerFace(AddInAccess& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return owner_.Outer().QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.Outer().AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Outer().Release(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

    // The task panes are there: the pane appears in the active window's.
    HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(ICTPFactory* factory) override;

private:
    AddInAccess& owner_;
};

}  // namespace brackwell::win::addin

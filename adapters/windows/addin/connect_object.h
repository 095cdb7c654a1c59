#pragma once
// The COM add-in "Brackwell.Connect" that Excel loads from its list of COM
// add-ins. One object, whose interfaces are:
//
//   IDTExtensibility2        OnConnection starts the navigator on Excel's
//                            Application (the host adapter wraps it), as the
//                            host-side module does; OnBeginShutdown and
//                            OnDisconnection stop it; also by name and
//                            DISPID through its IDispatch (the default)
//   IRibbonExtensibility     the ribbon's group and callbacks (RibbonFace)
//   ICustomTaskPaneConsumer  the task panes (PaneConsumerFace)
//
// Only a start that cannot work at all (no Application, one without events,
// unreadable settings) fails OnConnection; everything else is S_OK, and
// nothing is thrown into Excel. A stop that must wait for a running call
// of the component (the user's menu or dialog is open) keeps the DLL
// loaded until it ran, whenever Excel lets go of the add-in.

#include <windows.h>

#include <memory>

#include "adapters/windows/addin/addin_faces.h"
#include "adapters/windows/com/server_module.h"
#include "adapters/windows/common/com_object.h"

namespace brackwell::win::addin {

class ConnectObject final : public ComObject<IDTExtensibility2>, private AddInAccess {
public:
    ConnectObject() = default;
    ~ConnectObject() override;  // stops the navigator if Excel did not

    // The class factory's creation.
    static HRESULT Create(REFIID iid, void** out);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

    // IDTExtensibility2
    HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                                           SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) override;
    HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

private:
    void Connect(IDispatch* application);  // throws when the start cannot work
    void Disconnect() noexcept;
    HRESULT InvokeMember(DISPID id, const DISPPARAMS& params);

    // AddInAccess
    std::shared_ptr<AddIn> Core() override;
    Component& SharedComponent() override { return server::SharedComponent(); }
    IUnknown& Outer() override { return *static_cast<IDTExtensibility2*>(this); }

    server::LiveObject alive_;
    std::shared_ptr<AddIn> core_;
    RibbonFace ribbon_{*this};
    PaneConsumerFace panes_{*this};
};

}  // namespace brackwell::win::addin

#pragma once
// The Office interfaces a COM add-in of Excel 2007 and later meets, declared
// by hand (MinGW ships none of them): the add-in's connection
// (IDTExtensibility2), the ribbon (IRibbonExtensibility, IRibbonControl,
// IRibbonUI) and custom task panes (ICustomTaskPaneConsumer, ICTPFactory,
// _CustomTaskPane and its events). All are dual: the methods below are the
// vtable after IDispatch's four, in the type library's order, and the DISPIDs
// in `office::dispid` are what IDispatch callers use.
//
// Both sides use this header: the add-in in brackwell.dll calls ICTPFactory,
// _CustomTaskPane and IRibbonUI and implements the others; the stand-in
// Excel of the tests does the reverse.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>

// --- IDTExtensibility2 {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
MIDL_INTERFACE("B65AD801-ABAF-11D0-BB8B-00A0C90F2744")
IDTExtensibility2 : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, int connectMode, IDispatch* addInInst,
                                                   SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDisconnection(int removeMode, SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};
__CRT_UUID_DECL(IDTExtensibility2, 0xB65AD801, 0xABAF, 0x11D0, 0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44)

// --- IRibbonControl {000C0395-0000-0000-C000-000000000046}
MIDL_INTERFACE("000C0395-0000-0000-C000-000000000046")
IRibbonControl : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Id(BSTR* id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Context(IDispatch** context) = 0;  // the window of the ribbon
    virtual HRESULT STDMETHODCALLTYPE get_Tag(BSTR* tag) = 0;
};
__CRT_UUID_DECL(IRibbonControl, 0x000C0395, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

// --- IRibbonExtensibility {000C0396-0000-0000-C000-000000000046}
MIDL_INTERFACE("000C0396-0000-0000-C000-000000000046")
IRibbonExtensibility : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) = 0;
};
__CRT_UUID_DECL(IRibbonExtensibility, 0x000C0396, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

// --- IRibbonUI {000C03A7-0000-0000-C000-000000000046}
MIDL_INTERFACE("000C03A7-0000-0000-C000-000000000046")
IRibbonUI : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Invalidate() = 0;
    virtual HRESULT STDMETHODCALLTYPE InvalidateControl(BSTR controlId) = 0;
    virtual HRESULT STDMETHODCALLTYPE InvalidateControlMso(BSTR controlId) = 0;  // Office 2010 and later
    virtual HRESULT STDMETHODCALLTYPE ActivateTab(BSTR controlId) = 0;           // Office 2010 and later
    virtual HRESULT STDMETHODCALLTYPE ActivateTabMso(BSTR controlId) = 0;        // Office 2010 and later
    virtual HRESULT STDMETHODCALLTYPE ActivateTabQ(BSTR controlId, BSTR ns) = 0; // Office 2010 and later
};
__CRT_UUID_DECL(IRibbonUI, 0x000C03A7, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

// --- _CustomTaskPane {000C033B-0000-0000-C000-000000000046}
// Width and Height are in points; Width can be set only while docked left or
// right, Height only while docked top or bottom.
MIDL_INTERFACE("000C033B-0000-0000-C000-000000000046")
_CustomTaskPane : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Title(BSTR* title) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Application(IDispatch** application) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Window(IDispatch** window) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ContentControl(IDispatch** control) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Height(int* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Height(int height) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Width(int* width) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Width(int width) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DockPosition(int* position) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DockPosition(int position) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DockPositionRestrict(int* restrict) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DockPositionRestrict(int restrict) = 0;
    virtual HRESULT STDMETHODCALLTYPE Delete() = 0;
};
__CRT_UUID_DECL(_CustomTaskPane, 0x000C033B, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

// --- ICTPFactory {000C033D-0000-0000-C000-000000000046}
// CTPParentWindow: an Excel Window object, or missing (VT_ERROR,
// DISP_E_PARAMNOTFOUND) for the active window.
MIDL_INTERFACE("000C033D-0000-0000-C000-000000000046")
ICTPFactory : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE CreateCTP(BSTR ctpAxId, BSTR ctpTitle, VARIANT ctpParentWindow,
                                                _CustomTaskPane** pane) = 0;
};
__CRT_UUID_DECL(ICTPFactory, 0x000C033D, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)

// --- ICustomTaskPaneConsumer {000C033E-0000-0000-C000-000000000046}
MIDL_INTERFACE("000C033E-0000-0000-C000-000000000046")
ICustomTaskPaneConsumer : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE CTPFactoryAvailable(ICTPFactory* factory) = 0;
};
__CRT_UUID_DECL(ICustomTaskPaneConsumer, 0x000C033E, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                0x46)

namespace brackwell::win::office {

// The source dispinterface of a custom task pane, reached through its
// IConnectionPointContainer: _CustomTaskPaneEvents.
inline constexpr IID kDiidCustomTaskPaneEvents = {
    0x000C033C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace dispid {
// IDTExtensibility2
inline constexpr DISPID kOnConnection = 1;
inline constexpr DISPID kOnDisconnection = 2;
inline constexpr DISPID kOnAddInsUpdate = 3;
inline constexpr DISPID kOnStartupComplete = 4;
inline constexpr DISPID kOnBeginShutdown = 5;
// IRibbonExtensibility, IRibbonControl, IRibbonUI
inline constexpr DISPID kGetCustomUI = 1;
inline constexpr DISPID kRibbonControlId = 1;
inline constexpr DISPID kRibbonControlContext = 2;
inline constexpr DISPID kRibbonControlTag = 3;
inline constexpr DISPID kInvalidate = 1;
inline constexpr DISPID kInvalidateControl = 2;
// ICustomTaskPaneConsumer, ICTPFactory
inline constexpr DISPID kCTPFactoryAvailable = 1;
inline constexpr DISPID kCreateCTP = 1;
// _CustomTaskPane
inline constexpr DISPID kTitle = 0;
inline constexpr DISPID kApplication = 1;
inline constexpr DISPID kWindow = 2;
inline constexpr DISPID kVisible = 3;
inline constexpr DISPID kContentControl = 4;
inline constexpr DISPID kHeight = 5;
inline constexpr DISPID kWidth = 6;
inline constexpr DISPID kDockPosition = 7;
inline constexpr DISPID kDockPositionRestrict = 8;
inline constexpr DISPID kDelete = 9;
// _CustomTaskPaneEvents
inline constexpr DISPID kVisibleStateChange = 1;
inline constexpr DISPID kDockPositionStateChange = 2;
}  // namespace dispid

// ext_ConnectMode
inline constexpr int kConnectAfterStartup = 0;
inline constexpr int kConnectStartup = 1;
// ext_DisconnectMode
inline constexpr int kDisconnectHostShutdown = 0;
inline constexpr int kDisconnectUserClosed = 1;

// MsoCTPDockPosition, MsoCTPDockPositionRestrict
inline constexpr int kDockLeft = 0;
inline constexpr int kDockRight = 2;
inline constexpr int kDockFloating = 4;
inline constexpr int kRestrictNone = 0;
inline constexpr int kRestrictNoHorizontal = 2;  // left or right only

// The one ribbon Excel asks for.
inline constexpr wchar_t kExcelRibbonId[] = L"Microsoft.Excel.Workbook";

}  // namespace brackwell::win::office

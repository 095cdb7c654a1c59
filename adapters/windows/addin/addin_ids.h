#pragma once
// The identities of the COM add-in's two classes in brackwell.dll: the
// add-in Excel loads from its list of COM add-ins ("Brackwell.Connect", the
// name the installer writes under Excel's Addins key), and the control Excel
// shows in each custom task pane ("Brackwell.PaneHost").

#include <windows.h>

#include <oleidl.h>

namespace brackwell::win::addin {

// {6DD89808-676C-4820-BA25-6FC7843D3DDA}
inline constexpr CLSID kClsidConnect = {
    0x6DD89808, 0x676C, 0x4820, {0xBA, 0x25, 0x6F, 0xC7, 0x84, 0x3D, 0x3D, 0xDA}};
inline constexpr wchar_t kConnectProgId[] = L"Brackwell.Connect.1";
inline constexpr wchar_t kConnectVersionIndependentProgId[] = L"Brackwell.Connect";
inline constexpr wchar_t kConnectDescription[] = L"Brackwell Navigator (COM-Add-In)";

// {E523D54C-6F7B-45C6-BBA6-5D877377D515}
inline constexpr CLSID kClsidPaneHost = {
    0xE523D54C, 0x6F7B, 0x45C6, {0xBB, 0xA6, 0x5D, 0x87, 0x73, 0x77, 0xD5, 0x15}};
inline constexpr wchar_t kPaneHostProgId[] = L"Brackwell.PaneHost.1";
inline constexpr wchar_t kPaneHostVersionIndependentProgId[] = L"Brackwell.PaneHost";
inline constexpr wchar_t kPaneHostDescription[] = L"Brackwell Aufgabenbereich";

// What a container may read from the registry before creating the control
// (MiscStatus): activated in place when shown, as a windowed control.
inline constexpr DWORD kPaneHostMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                                             OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                                             OLEMISC_SETCLIENTSITEFIRST;

}  // namespace brackwell::win::addin

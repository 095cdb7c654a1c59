#pragma once
// The host interface identities and event DISPIDs both the client adapter
// and the facade use.

#include <windows.h>

#include <oaidl.h>

namespace brackwell::win {

// The host application's event interface (dispinterface AppEvents).
inline constexpr GUID kDiidAppEvents = {
    0x00024413, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Invoke's locale: VB always talks to the host in US English, so member names
// and values mean the same whatever the user's language.
inline constexpr LCID kHostLocale = 1033;

// The AppEvents members the component follows, with their parameters.
namespace app_event {
inline constexpr DISPID kSheetActivate = 1561;       // (Sh)
inline constexpr DISPID kNewWorkbook = 1565;         // (Wb)
inline constexpr DISPID kWorkbookOpen = 1567;        // (Wb)
inline constexpr DISPID kWorkbookActivate = 1568;    // (Wb)
inline constexpr DISPID kWorkbookDeactivate = 1569;  // (Wb)
inline constexpr DISPID kWorkbookBeforeSave = 1571;  // (Wb, SaveAsUI, Cancel by reference)
inline constexpr DISPID kWorkbookNewSheet = 1573;    // (Wb, Sh)
inline constexpr DISPID kWindowActivate = 1556;      // (Wb, Wn)
inline constexpr DISPID kWindowDeactivate = 1557;    // (Wb, Wn)
}  // namespace app_event

}  // namespace brackwell::win

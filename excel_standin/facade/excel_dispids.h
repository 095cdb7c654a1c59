#pragma once
// The DISPIDs the host's type library gives the members the facade offers
// (Excel 11 type library; the Office command-bar members keep their Office 11
// numbers). A member shared by several objects has one number everywhere.

#include <windows.h>

#include <oaidl.h>

namespace brackwell::win::dispid {

inline constexpr DISPID kDefault = DISPID_VALUE;  // _Default
inline constexpr DISPID kNewEnum = DISPID_NEWENUM;  // _NewEnum

// Application
inline constexpr DISPID kVersion = 392;
inline constexpr DISPID kHwnd = 1950;
inline constexpr DISPID kActiveWorkbook = 308;
inline constexpr DISPID kActiveSheet = 307;
inline constexpr DISPID kWorkbooks = 572;
inline constexpr DISPID kCommandBars = 1439;
inline constexpr DISPID kGetOpenFilename = 1075;
inline constexpr DISPID kDialogs = 761;
inline constexpr DISPID kGoto = 475;
inline constexpr DISPID kRecentFiles = 1202;
inline constexpr DISPID kActiveWindow = 759;

// Collections
inline constexpr DISPID kCount = 118;
inline constexpr DISPID kItem = 170;
inline constexpr DISPID kAdd = 181;
inline constexpr DISPID kOpen = 1923;

// Workbook, Worksheet, Name, RecentFile, Window
inline constexpr DISPID kName = 110;
inline constexpr DISPID kFullName = 289;
inline constexpr DISPID kPath = 291;
inline constexpr DISPID kWindows = 430;
inline constexpr DISPID kIsAddin = 1445;
inline constexpr DISPID kActivate = 304;
inline constexpr DISPID kSave = 283;
inline constexpr DISPID kClose = 277;
inline constexpr DISPID kWorksheets = 494;
inline constexpr DISPID kSheets = 485;
inline constexpr DISPID kNames = 442;
inline constexpr DISPID kVisible = 558;
inline constexpr DISPID kProtectContents = 292;
inline constexpr DISPID kProtect = 2029;
inline constexpr DISPID kUnprotect = 285;
inline constexpr DISPID kTab = 1041;
inline constexpr DISPID kDelete = 117;
inline constexpr DISPID kCopy = 551;
inline constexpr DISPID kMove = 637;
inline constexpr DISPID kRefersTo = 938;
inline constexpr DISPID kRefersToRange = 1160;
inline constexpr DISPID kColorIndex = 97;
inline constexpr DISPID kShow = 496;

// Office command bars
inline constexpr DISPID kCommandBarsAdd = 0x60030002;
inline constexpr DISPID kCommandBarControls = 0x60040003;
inline constexpr DISPID kCommandBarDelete = 0x60040004;
inline constexpr DISPID kCommandBarProtection = 0x60040017;
inline constexpr DISPID kCommandBarVisible = 0x6004001E;
inline constexpr DISPID kControlsAdd = 0x60030000;
inline constexpr DISPID kButtonCaption = 0x60040003;
inline constexpr DISPID kButtonEnabled = 0x6004000A;
inline constexpr DISPID kButtonHeight = 0x6004000D;
inline constexpr DISPID kButtonOnAction = 0x6004001A;
inline constexpr DISPID kButtonTooltipText = 0x60040025;
inline constexpr DISPID kButtonWidth = 0x6004002B;
inline constexpr DISPID kButtonFaceId = 0x60050003;
inline constexpr DISPID kButtonStyle = 0x6005000A;

}  // namespace brackwell::win::dispid

#pragma once
// The add-in's part of Excel's ribbon (Excel 2007 and later): on the Home tab
// a group "Brackwell" with the toggle "Navigator", pressed while the pane
// shows, and the button "Aktualisieren", which rebuilds the tree as the
// command bar's button does in older Excel. Excel calls the callbacks by
// the names below through the add-in's IDispatch.

#include <string>

namespace brackwell::ribbon {

inline constexpr const char* kToggleId = "tglNavigator";
inline constexpr const char* kRefreshId = "btnRefresh";

// customUI onLoad(IRibbonUI)
inline constexpr const char* kOnLoad = "Brackwell_RibbonLoad";
// toggleButton getPressed(IRibbonControl) -> Boolean
inline constexpr const char* kGetPressed = "Brackwell_NavigatorPressed";
// toggleButton onAction(IRibbonControl, Boolean pressed)
inline constexpr const char* kOnToggle = "Brackwell_NavigatorClick";
// button onAction(IRibbonControl)
inline constexpr const char* kOnRefresh = "Brackwell_RefreshClick";

// The customUI document (Office 2007's namespace, which later Office reads too).
std::string CustomUiXml();

}  // namespace brackwell::ribbon

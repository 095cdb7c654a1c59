#pragma once
// The keys the pane answers itself while the focus is in it: those its tree,
// bar and menus work with. A host routes key messages to an active control
// through IOleInPlaceActiveObject::TranslateAccelerator before its own
// accelerators and dialog navigation would take them; the control keeps
// these and leaves every other key (Ctrl shortcuts, function keys, Alt
// with a letter) to the host.

#include <windows.h>

namespace brackwell::win::addin {

// Tab, the arrows, Home, End, Page Up and Down, Enter, Escape, Space,
// Backspace, letters, digits and punctuation (finding a node by typing),
// F4 and Alt+Down (a drop-down button), the context-menu key and Shift+F10;
// without Ctrl (AltGr, Ctrl with Alt, types characters and counts as none).
bool IsPaneKey(const MSG& message) noexcept;

}  // namespace brackwell::win::addin

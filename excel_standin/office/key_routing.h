#pragma once
// Keys typed into a custom task pane's control, routed as an OLE container
// routes them: Wine's ActiveX container does not, so the host's message loop
// hands every keyboard message (WM_KEYDOWN, WM_CHAR and the rest: Tab, the
// arrows, Enter, letters) whose window lies inside a task pane first to that
// pane's control, through IOleInPlaceActiveObject::TranslateAccelerator (the
// control asked for by QueryInterface). Whether Excel does the same for its
// task panes is UNCONFIRMED.

#include <windows.h>

namespace brackwell::office {

// True when the control took the message: the loop neither translates nor
// dispatches it then.
bool RouteTaskPaneKey(MSG& message);

// One message of the host's loop: routed as above, else translated and dispatched.
void DispatchHostMessage(MSG& message);

}  // namespace brackwell::office

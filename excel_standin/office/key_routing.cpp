#include "excel_standin/office/key_routing.h"

#include <oleidl.h>

#include "excel_standin/office/task_pane_frame.h"

namespace brackwell::office {

bool RouteTaskPaneKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    const TaskPaneFrame* frame = TaskPaneFrame::Containing(message.hwnd);
    if (!frame || !frame->Control()) return false;
    const auto active = frame->Control().Query<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&message) == S_OK;
}

void DispatchHostMessage(MSG& message) {
    if (RouteTaskPaneKey(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace brackwell::office

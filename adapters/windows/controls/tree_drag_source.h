#pragma once
// A drag that starts in the tree (OLEDragMode automatic): the tree raises
// OLEStartDrag with an empty data object its handlers may fill and the
// effects a drop may have (copy and move), then hands both to OLE's
// DoDragDrop, which returns when the user lets go or presses Escape. The
// drag follows the left button and shows the system's move and copy cursors.

#include <windows.h>

#include "adapters/shared/sink_list.h"
#include "host/tree_view.h"

namespace brackwell::win {

// Runs the whole drag on the calling thread (OLE must be initialised there)
// and returns the effect of the drop, DROPEFFECT_NONE when there was none.
// Handlers that allow no effect end the drag before it starts.
DWORD RunTreeDrag(const shared::SinkList<TreeEvents>& events);

}  // namespace brackwell::win

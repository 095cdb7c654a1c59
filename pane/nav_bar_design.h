#pragma once
#include "host/toolbar.h"

namespace brackwell {

// The pane toolbar clbMain as designed: seven positions with their drop-down
// menus, tooltips and look.
const ToolbarDesign& NavBarDesign();

}  // namespace brackwell

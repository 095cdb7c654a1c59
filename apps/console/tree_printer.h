#pragma once
#include <ostream>

#include "adapters/headless/headless_tree.h"

namespace brackwell::apps {

// One line per node as the pane shows it (collapsed workbooks' sheets
// included, marked as hidden): indented key and text, colour, and flags.
void PrintTree(std::ostream& out, const headless::HeadlessTree& tree);

}  // namespace brackwell::apps

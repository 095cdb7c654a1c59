#pragma once
// The component's sink for the host's application events: a COM object the
// host calls through IDispatch::Invoke with the DISPIDs of dispinterface
// AppEvents. It follows seven of them and answers the rest with S_OK.

#include <memory>

#include "adapters/windows/automation/late_bound.h"
#include "host/excel.h"

namespace brackwell::win {

// Attaches `sink` to `application`'s AppEvents connection point. A host
// without one fails with error 459 (the object has no such set of events).
std::unique_ptr<EventConnection> AdviseAppEvents(const LateBound& application, AppEvents& sink);

}  // namespace brackwell::win

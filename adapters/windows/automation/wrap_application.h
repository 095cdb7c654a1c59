#pragma once
// The host adapter's entry point: the host's application object (what the
// host side hands to mExcel) as the port the component works with. Every
// object reached from it is bound late through IDispatch; the DISPIDs found
// on the way are shared by everything reached from this application.

#include <windows.h>

#include <oaidl.h>

#include "host/excel.h"

namespace brackwell::win {

// Holds its own reference to `application`. Null is error 91.
ApplicationPtr WrapApplication(IDispatch* application);

}  // namespace brackwell::win

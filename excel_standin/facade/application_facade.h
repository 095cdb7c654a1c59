#pragma once
// The automation facade: any Application port (in practice the embedded host)
// as the IDispatch objects the real host offers, with the same member names,
// argument orders, property and method kinds, DISPIDs and failures, so the
// component's host adapter, or any automation client, can drive it as it
// drives the host.
//
// The application object also offers IConnectionPointContainer with one
// connection point, AppEvents: the port's application events go on to every
// advised sink through IDispatch::Invoke, as the host fires them.

#include <windows.h>

#include <oaidl.h>

#include "adapters/windows/common/com_ptr.h"
#include "host/excel.h"

namespace brackwell::win {

struct FacadeOptions {
    // Off: the application offers no IConnectionPointContainer, like an
    // automation client that cannot take events, so Advise fails.
    bool connectionPoints = true;
};

ComPtr<IDispatch> MakeApplicationFacade(ApplicationPtr application, FacadeOptions options = {});

}  // namespace brackwell::win

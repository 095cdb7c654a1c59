#pragma once
// The COMAddIn object an add-in receives as AddInInst in OnConnection: late
// bound (IDispatch) with the DISPIDs of Office's type library: Description
// (0, read and write), ProgId (3), Guid (4), Connect (6, read; the stand-in
// loads and unloads through its COM Add-ins dialog only), Object (7, read and
// write: what the add-in offers other programs) and Application.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::office {

// What the loader and the object share; the add-in may keep the object
// longer than the loader keeps the add-in.
struct ComAddInState {
    std::wstring progId;
    std::wstring description;
    bool connected = false;
    win::ComPtr<IDispatch> object;  // COMAddIn.Object
};

win::ComPtr<IDispatch> MakeComAddInObject(std::shared_ptr<ComAddInState> state, win::ComPtr<IDispatch> application);

}  // namespace brackwell::office

#pragma once
// What DllRegisterServer and DllInstall write, always for the current user:
// the navigator's class with both ProgIDs and the type library, and the COM
// add-in's two classes (the add-in and its task pane control). Excel's list
// of COM add-ins is the installer's to write.

#include <windows.h>

namespace brackwell::win {

// Registers everything; after a failure, whatever was written is removed
// again. Throws AutomationError (number = HRESULT).
void RegisterServerForUser(HMODULE module);
// Removes every key the registration writes.
void UnregisterServerForUser();

}  // namespace brackwell::win

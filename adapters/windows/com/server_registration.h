#pragma once
// What DllRegisterServer and DllInstall write for the navigator, always for
// the current user: the class with both ProgIDs and the type library.

#include <windows.h>

namespace brackwell::win {

// Registers everything; after a failure, whatever was written is removed
// again. Throws AutomationError (number = HRESULT).
void RegisterServerForUser(HMODULE module);
// Removes every key the registration writes.
void UnregisterServerForUser();

}  // namespace brackwell::win

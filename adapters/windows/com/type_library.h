#pragma once
// Brackwell's type library, embedded in the DLL as resource TYPELIB 1:
// loaded from the module itself, for IDispatch::GetTypeInfo,
// IProvideClassInfo and registration.

#include <windows.h>

#include <oaidl.h>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

// Fails with AutomationError (the HRESULT as number) when the resource is missing.
ComPtr<ITypeLib> LoadServerTypeLibrary(HMODULE module);
ComPtr<ITypeInfo> ServerTypeInfo(HMODULE module, REFGUID guid);

// Registers the library for the current user (TypeLib\{LIBID} and the
// Interface keys of its dispinterface), or removes that registration.
void RegisterTypeLibraryForUser(HMODULE module);
void UnregisterTypeLibraryForUser();

}  // namespace brackwell::win

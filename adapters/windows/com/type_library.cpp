#include "adapters/windows/com/type_library.h"

#include <oleauto.h>

#include <string>

#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/per_user_classes.h"
#include "adapters/windows/common/bstr.h"
#include "adapters/windows/common/hresult_error.h"
#include "host/automation_error.h"

// Declared by the Windows SDK's oleauto.h, not by MinGW-w64's.
extern "C" {
DECLSPEC_IMPORT HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpDir);
DECLSPEC_IMPORT HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libraryId, WORD major, WORD minor, LCID locale,
                                                        SYSKIND kind);
}

namespace brackwell::win {
namespace {

[[noreturn]] void RaiseTypeLibrary(HRESULT hr, const char* what) {
    Raise(static_cast<std::int32_t>(hr), std::string("Typbibliothek: ") + what + " (" +
                                             ErrorFromHresult(hr).Description() + ")");
}

}  // namespace

ComPtr<ITypeLib> LoadServerTypeLibrary(HMODULE module) {
    const std::wstring path = ModulePath(module);
    ComPtr<ITypeLib> library;
    // REGKIND_NONE: loading must not register anything behind the caller's back.
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Receive());
    if (FAILED(hr) || !library) RaiseTypeLibrary(FAILED(hr) ? hr : E_FAIL, "lässt sich nicht laden");
    return library;
}

ComPtr<ITypeInfo> ServerTypeInfo(HMODULE module, REFGUID guid) {
    ComPtr<ITypeInfo> info;
    const HRESULT hr = LoadServerTypeLibrary(module)->GetTypeInfoOfGuid(guid, info.Receive());
    if (FAILED(hr) || !info) RaiseTypeLibrary(FAILED(hr) ? hr : E_FAIL, "kennt den Typ nicht");
    return info;
}

void RegisterTypeLibraryForUser(HMODULE module) {
    std::wstring path = ModulePath(module);
    const HRESULT hr = RegisterTypeLibForUser(LoadServerTypeLibrary(module).Get(), path.data(), nullptr);
    if (FAILED(hr)) RaiseTypeLibrary(hr, "lässt sich nicht registrieren");
}

void UnregisterTypeLibraryForUser() {
    constexpr SYSKIND kOwnKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
    // Nothing registered is what unregistering wants; asking first keeps a
    // second unregistration quiet (Wine answers E_INVALIDARG, not
    // TYPE_E_REGISTRYACCESS, for a library it does not know).
    Bstr registeredPath;
    if (FAILED(QueryPathOfRegTypeLib(LIBID_Brackwell, kTypeLibraryMajor, kTypeLibraryMinor, 0,
                                     registeredPath.Receive())))
        return;
    const HRESULT hr =
        UnRegisterTypeLibForUser(LIBID_Brackwell, kTypeLibraryMajor, kTypeLibraryMinor, 0, kOwnKind);
    // Registered for the machine only: not ours to remove.
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS) RaiseTypeLibrary(hr, "lässt sich nicht abmelden");
    // The parents RegisterTypeLibForUser may have created for the user.
    RemoveUserClassKeyIfEmpty(L"TypeLib");
    RemoveUserClassKeyIfEmpty(L"Interface");
}

}  // namespace brackwell::win

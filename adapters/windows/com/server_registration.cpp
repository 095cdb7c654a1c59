#include "adapters/windows/com/server_registration.h"

#include <exception>

#include "adapters/windows/com/brackwell_ids.h"
#include "adapters/windows/com/per_user_classes.h"
#include "adapters/windows/com/type_library.h"

namespace brackwell::win {
namespace {

PerUserClass WayfinderClass() {
    return PerUserClass{CLSID_Wayfinder,
                        kWayfinderDescription,
                        kWayfinderProgId,
                        kWayfinderVersionIndependentProgId,
                        L"Apartment",  // the host calls on its one user-interface thread
                        &LIBID_Brackwell,
                        L"1.0"};
}

}  // namespace

void RegisterServerForUser(HMODULE module) {
    try {
        RegisterClassForUser(WayfinderClass(), ModulePath(module));
        RegisterTypeLibraryForUser(module);
    } catch (...) {
        // Half a registration would let CreateObject find a class it cannot use.
        try {
            UnregisterServerForUser();
        } catch (...) {
        }
        throw;
    }
}

void UnregisterServerForUser() {
    // Both parts are tried, so one that fails does not leave the other behind.
    std::exception_ptr failure;
    try {
        UnregisterTypeLibraryForUser();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        UnregisterClassForUser(WayfinderClass());
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace brackwell::win

#include "adapters/windows/com/server_registration.h"

#include <exception>

#include "adapters/windows/addin/addin_ids.h"
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

// Excel calls both on its user-interface thread; neither is in the type
// library (Office reaches them through its own interfaces).
PerUserClass ConnectClass() {
    return PerUserClass{addin::kClsidConnect, addin::kConnectDescription, addin::kConnectProgId,
                        addin::kConnectVersionIndependentProgId, L"Apartment"};
}

PerUserClass PaneHostClass() {
    PerUserClass entry{addin::kClsidPaneHost, addin::kPaneHostDescription, addin::kPaneHostProgId,
                       addin::kPaneHostVersionIndependentProgId, L"Apartment"};
    entry.control = true;
    entry.miscStatus = addin::kPaneHostMiscStatus;
    return entry;
}

}  // namespace

void RegisterServerForUser(HMODULE module) {
    try {
        const std::wstring path = ModulePath(module);
        RegisterClassForUser(WayfinderClass(), path);
        RegisterClassForUser(ConnectClass(), path);
        RegisterClassForUser(PaneHostClass(), path);
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
    // Every part is tried, so one that fails does not leave the others behind.
    std::exception_ptr failure;
    const auto attempt = [&](auto&& remove) {
        try {
            remove();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    };
    attempt([] { UnregisterTypeLibraryForUser(); });
    attempt([] { UnregisterClassForUser(PaneHostClass()); });
    attempt([] { UnregisterClassForUser(ConnectClass()); });
    attempt([] { UnregisterClassForUser(WayfinderClass()); });
    if (failure) std::rethrow_exception(failure);
}

}  // namespace brackwell::win

#include "core/failure.h"

#include <new>

namespace brackwell {

AutomationError CurrentError() noexcept {
    try {
        throw;
    } catch (const AutomationError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return AutomationError(7, "Nicht genügend Speicher");
    } catch (const std::exception& e) {
        return AutomationError(51, std::string("Interner Fehler: ") + e.what());
    } catch (...) {
        return AutomationError(51, "Interner Fehler");
    }
}

}  // namespace brackwell

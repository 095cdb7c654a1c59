#include "excel_standin/facade/facade_context.h"

namespace brackwell::win {

ComPtr<IDispatch> FacadeContext::Find(const void* port, const std::type_info& type) {
    std::lock_guard hold(lock_);
    const auto found = facades_.find(Key(port, &type));
    if (found == facades_.end()) return {};
    return found->second->TryShare();  // empty while that facade is being destroyed
}

void FacadeContext::Remember(const void* port, const std::type_info& type, FacadeObject& facade) {
    std::lock_guard hold(lock_);
    facades_[Key(port, &type)] = &facade;
    facade.SetIdentity(port, &type);
}

void FacadeContext::Forget(const void* port, const std::type_info& type,
                           const FacadeObject& facade) noexcept {
    std::lock_guard hold(lock_);
    const auto found = facades_.find(Key(port, &type));
    // A successor may already stand in for a facade on its way out.
    if (found != facades_.end() && found->second == &facade) facades_.erase(found);
}

}  // namespace brackwell::win

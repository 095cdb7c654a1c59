#pragma once
// What the facade objects of one application share: the table that gives the
// same facade object for the same port object, so a caller comparing objects
// (Is) finds them equal, and the port object of a facade handed back.

#include <windows.h>

#include <oaidl.h>

#include <map>
#include <memory>
#include <memory_resource>
#include <mutex>
#include <typeinfo>
#include <utility>

#include "adapters/windows/common/com_object.h"
#include "adapters/windows/common/spin_lock.h"
#include "excel_standin/facade/facade_object.h"

namespace brackwell::win {

class FacadeContext {
public:
    // The living facade of that port object, or empty.
    ComPtr<IDispatch> Find(const void* port, const std::type_info& type);
    void Remember(const void* port, const std::type_info& type, FacadeObject& facade);
    void Forget(const void* port, const std::type_info& type, const FacadeObject& facade) noexcept;

private:
    using Key = std::pair<const void*, const std::type_info*>;
    SpinLock lock_;
    // Entries come and go with every object a client reaches (each worksheet
    // of a tree rebuild); the pool hands their memory round instead of the heap.
    std::pmr::unsynchronized_pool_resource pool_;
    std::pmr::map<Key, FacadeObject*> facades_{&pool_};  // weak: each entry leaves with its facade
};

// The facade of `port` (Nothing for an empty pointer): the one already alive,
// or a new one.
template <class Facade, class Port>
ComPtr<IDispatch> FacadeFor(const std::shared_ptr<FacadeContext>& context,
                            const std::shared_ptr<Port>& port) {
    if (!port) return {};
    if (auto existing = context->Find(port.get(), typeid(Facade))) return existing;
    auto created = MakeComObject<Facade>(context, port);
    context->Remember(port.get(), typeid(Facade), *created.Get());
    return ComPtr<IDispatch>::Adopt(created.Detach()->AsDispatch());  // the first reference, handed on
}

// The same as a Variant result.
template <class Facade, class Port>
Variant FacadeResult(const std::shared_ptr<FacadeContext>& context, const std::shared_ptr<Port>& port) {
    return Variant::Object(FacadeFor<Facade>(context, port));
}

// The facade object behind an argument, when it is one of ours and of type
// Facade; nullptr otherwise.
template <class Facade>
Facade* FacadeOf(IDispatch* object) noexcept {
    if (object == nullptr) return nullptr;
    ComPtr<IFacadeObject> ours;
    if (FAILED(object->QueryInterface(kIidFacadeObject, ours.ReceiveVoid())) || !ours) return nullptr;
    return dynamic_cast<Facade*>(ours->Self());
}

}  // namespace brackwell::win

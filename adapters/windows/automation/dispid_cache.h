#pragma once
// Member names resolved to DISPIDs once per type of host object. The key is
// the type's identity: the GUID of the object's ITypeInfo when it offers one,
// so every worksheet of a host shares one table; an object without type
// information gets a table of its own.

#include <windows.h>

#include <oaidl.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "adapters/shared/pool_allocator.h"
#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

class DispIdTable {
public:
    // The DISPID of `name` on `object`, asked of the object the first time.
    // An unknown name fails like the host's late binding does (error 438).
    DISPID Resolve(IDispatch* object, const wchar_t* name);

private:
    // A type has a handful of the members the component calls: a short list
    // compared in place beats hashing a copy of the name.
    std::vector<std::pair<std::wstring, DISPID>> ids_;
};

// What every object reached from one application shares: besides the
// tables, the memory of the port objects standing for the host's objects
// (a rebuild makes and drops one for every worksheet and name).
class DispIdRegistry {
public:
    const shared::PoolAllocator<std::byte>& PortMemory() const noexcept { return ports_; }

    // The table shared by the objects of `object`'s type, living as long as
    // the registry; null when the object gives no type information (it then
    // needs a table of its own).
    DispIdTable* SharedTableFor(IDispatch* object);

private:
    struct GuidLess {
        bool operator()(const GUID& a, const GUID& b) const noexcept;
    };
    std::map<GUID, std::unique_ptr<DispIdTable>, GuidLess> byType_;
    // Hosts hand out the same type information object for every object of a
    // type; known by it, a type needs no look at its attributes. Held, so the
    // address stays that type's.
    std::vector<std::pair<ComPtr<ITypeInfo>, DispIdTable*>> byTypeInfo_;
    shared::PoolAllocator<std::byte> ports_;
};

}  // namespace brackwell::win

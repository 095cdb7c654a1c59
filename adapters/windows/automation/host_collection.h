#pragma once
// Count and Item of a host collection, shared by the port collections over
// the host's: the item objects are made by Make.

#include <cstdint>
#include <utility>

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

template <class PortType, class ItemPtr, ItemPtr (*Make)(LateBound)>
class HostCollection : public HostObject<PortType> {
public:
    using HostObject<PortType>::HostObject;

    std::int32_t Count() override { return ToInt32(this->object_.Get(L"Count").Get()); }
    ItemPtr Item(std::int32_t index) override { return ItemAt(Variant::Int32(index)); }

protected:
    // The host's Item takes a position or a name.
    ItemPtr ItemAt(const Variant& index) const { return Make(this->object_.GetChild(L"Item", index)); }
};

}  // namespace brackwell::win

// The Names collection, its Name objects and the ranges they refer to over
// the host's objects.

#include <utility>

#include "adapters/windows/automation/host_collection.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

// Names.Item is a method in the host; the get flags cover both kinds.
using HostNames = HostCollection<DefinedNames, DefinedNamePtr, MakeHostName>;

class HostName final : public HostObject<DefinedName> {
public:
    using HostObject::HostObject;

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    void SetName(const std::string& name) override { object_.Put(L"Name", Variant::Text(name)); }
    std::string RefersTo() override { return ToUtf8(object_.Get(L"RefersTo").Get()); }
    bool Visible() override { return ToBool(object_.Get(L"Visible").Get()); }
    RangePtr RefersToRange() override { return MakeHostRange(object_.GetChild(L"RefersToRange")); }
    void Delete() override { object_.Call(L"Delete"); }
};

// Only handed back to the host (Goto).
class HostRange final : public HostObject<Range> {
public:
    using HostObject::HostObject;

    IDispatch* Dispatch() const noexcept { return object_.Dispatch(); }
};

}  // namespace

DefinedNamesPtr MakeHostNames(LateBound object) { return MakeUnlessNothing<HostNames>(std::move(object)); }
DefinedNamePtr MakeHostName(LateBound object) { return MakeUnlessNothing<HostName>(std::move(object)); }
RangePtr MakeHostRange(LateBound object) { return MakeUnlessNothing<HostRange>(std::move(object)); }

IDispatch* HostRangeDispatch(const RangePtr& range) {
    const auto* ours = dynamic_cast<const HostRange*>(range.get());
    if (ours == nullptr) Raise(err::kTypeMismatch);
    return ours->Dispatch();
}

}  // namespace brackwell::win

// The Names collection and its Name objects over the host's objects.

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
    void Delete() override { object_.Call(L"Delete"); }
};

}  // namespace

DefinedNamesPtr MakeHostNames(LateBound object) { return MakeUnlessNothing<HostNames>(std::move(object)); }
DefinedNamePtr MakeHostName(LateBound object) { return MakeUnlessNothing<HostName>(std::move(object)); }

}  // namespace brackwell::win

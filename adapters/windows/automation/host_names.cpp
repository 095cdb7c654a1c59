// The Names collection and its Name objects over the host's objects.

#include <utility>

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostNames final : public DefinedNames {
public:
    using Port = DefinedNames;
    explicit HostNames(LateBound object) : object_(std::move(object)) {}

    std::int32_t Count() override { return ToInt32(object_.Get(L"Count").Get()); }
    DefinedNamePtr Item(std::int32_t index) override {
        // Names.Item is a method in the host; the get flags cover both kinds.
        return MakeHostName(object_.Child(object_.Get(L"Item", Args(Variant::Int32(index)))));
    }

private:
    LateBound object_;
};

class HostName final : public DefinedName {
public:
    using Port = DefinedName;
    explicit HostName(LateBound object) : object_(std::move(object)) {}

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    void SetName(const std::string& name) override { object_.Put(L"Name", Variant::Text(name)); }
    std::string RefersTo() override { return ToUtf8(object_.Get(L"RefersTo").Get()); }
    void Delete() override { object_.Call(L"Delete"); }

private:
    LateBound object_;
};

}  // namespace

DefinedNamesPtr MakeHostNames(LateBound object) { return MakeUnlessNothing<HostNames>(std::move(object)); }
DefinedNamePtr MakeHostName(LateBound object) { return MakeUnlessNothing<HostName>(std::move(object)); }

}  // namespace brackwell::win

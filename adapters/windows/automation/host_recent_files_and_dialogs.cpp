// RecentFiles, RecentFile, Dialogs and Dialog over the host's objects.

#include <utility>

#include "adapters/windows/automation/host_collection.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

using HostRecentFiles = HostCollection<RecentFiles, RecentFilePtr, MakeHostRecentFile>;

class HostRecentFile final : public HostObject<RecentFile> {
public:
    using HostObject::HostObject;

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    std::string Path() override { return ToUtf8(object_.Get(L"Path").Get()); }
};

// Dialogs has no Count in the port.
class HostDialogs final : public HostObject<Dialogs> {
public:
    using HostObject::HostObject;

    DialogPtr Item(std::int32_t index) override {
        return MakeHostDialog(object_.GetChild(L"Item", Args(Variant::Int32(index))));
    }
};

class HostDialog final : public HostObject<Dialog> {
public:
    using HostObject::HostObject;

    bool Show() override { return ToBool(object_.Get(L"Show").Get()); }
};

}  // namespace

RecentFilesPtr MakeHostRecentFiles(LateBound object) {
    return MakeUnlessNothing<HostRecentFiles>(std::move(object));
}
RecentFilePtr MakeHostRecentFile(LateBound object) {
    return MakeUnlessNothing<HostRecentFile>(std::move(object));
}
DialogsPtr MakeHostDialogs(LateBound object) { return MakeUnlessNothing<HostDialogs>(std::move(object)); }
DialogPtr MakeHostDialog(LateBound object) { return MakeUnlessNothing<HostDialog>(std::move(object)); }

}  // namespace brackwell::win

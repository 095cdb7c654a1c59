// RecentFiles, RecentFile, Dialogs and Dialog over the host's objects.

#include <utility>

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostRecentFiles final : public RecentFiles {
public:
    using Port = RecentFiles;
    explicit HostRecentFiles(LateBound object) : object_(std::move(object)) {}

    std::int32_t Count() override { return ToInt32(object_.Get(L"Count").Get()); }
    RecentFilePtr Item(std::int32_t index) override {
        return MakeHostRecentFile(object_.Child(object_.Get(L"Item", Args(Variant::Int32(index)))));
    }

private:
    LateBound object_;
};

class HostRecentFile final : public RecentFile {
public:
    using Port = RecentFile;
    explicit HostRecentFile(LateBound object) : object_(std::move(object)) {}

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    std::string Path() override { return ToUtf8(object_.Get(L"Path").Get()); }

private:
    LateBound object_;
};

class HostDialogs final : public Dialogs {
public:
    using Port = Dialogs;
    explicit HostDialogs(LateBound object) : object_(std::move(object)) {}

    DialogPtr Item(std::int32_t index) override {
        return MakeHostDialog(object_.Child(object_.Get(L"Item", Args(Variant::Int32(index)))));
    }

private:
    LateBound object_;
};

class HostDialog final : public Dialog {
public:
    using Port = Dialog;
    explicit HostDialog(LateBound object) : object_(std::move(object)) {}

    bool Show() override { return ToBool(object_.Get(L"Show").Get()); }

private:
    LateBound object_;
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

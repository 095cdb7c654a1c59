// Sheets (the Worksheets and Sheets collections), Sheet and Tab over the
// host's objects.

#include <utility>

#include "adapters/windows/automation/host_collection.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostSheets final : public HostCollection<Sheets, SheetPtr, MakeHostSheet> {
public:
    using HostCollection::HostCollection;

    SheetPtr ItemByName(const std::string& name) override { return ItemAt(Variant::Text(name)); }
    SheetPtr Add() override { return MakeHostSheet(object_.GetChild(L"Add")); }
};

class HostSheet final : public HostObject<Sheet> {
public:
    using HostObject::HostObject;

    IDispatch* Dispatch() const noexcept { return object_.Dispatch(); }

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    void SetName(const std::string& name) override { object_.Put(L"Name", Variant::Text(name)); }
    bool ProtectContents() override { return ToBool(object_.Get(L"ProtectContents").Get()); }
    void Protect(const std::optional<std::string>& password) override {
        object_.Call(L"Protect", password ? Args(Variant::Text(*password)) : Args());
    }
    void Unprotect(const std::optional<std::string>& password) override {
        object_.Call(L"Unprotect", password ? Args(Variant::Text(*password)) : Args());
    }
    TabPtr Tab() override { return MakeHostTab(object_.GetChild(L"Tab")); }
    void Activate() override { object_.Call(L"Activate"); }
    void Delete() override { object_.Call(L"Delete"); }
    void Copy(const SheetPtr& before, const SheetPtr& after) override {
        object_.Call(L"Copy", AnchorArgs(before, after));
    }
    void Move(const SheetPtr& before, const SheetPtr& after) override {
        object_.Call(L"Move", AnchorArgs(before, after));
    }

private:
    // Before, After: only the given anchor is passed; neither means the host
    // puts the sheet into a new workbook.
    static std::vector<Variant> AnchorArgs(const SheetPtr& before, const SheetPtr& after) {
        if (before && after) Raise(err::kInvalidCall);
        if (before) return Args(Variant::Object(ComPtr<IDispatch>(HostSheetDispatch(before))));
        if (after)
            return Args(Variant::Missing(), Variant::Object(ComPtr<IDispatch>(HostSheetDispatch(after))));
        return Args();
    }
};

class HostTab final : public HostObject<Tab> {
public:
    using HostObject::HostObject;

    std::int32_t ColorIndex() override { return ToInt32(object_.Get(L"ColorIndex").Get()); }
    void SetColorIndex(std::int32_t index) override { object_.Put(L"ColorIndex", Variant::Int32(index)); }
};

}  // namespace

SheetsPtr MakeHostSheets(LateBound object) { return MakeUnlessNothing<HostSheets>(std::move(object)); }
SheetPtr MakeHostSheet(LateBound object) { return MakeUnlessNothing<HostSheet>(std::move(object)); }
TabPtr MakeHostTab(LateBound object) { return MakeUnlessNothing<HostTab>(std::move(object)); }

IDispatch* HostSheetDispatch(const SheetPtr& sheet) {
    const auto* ours = dynamic_cast<const HostSheet*>(sheet.get());
    if (ours == nullptr) Raise(err::kTypeMismatch);
    return ours->Dispatch();
}

}  // namespace brackwell::win

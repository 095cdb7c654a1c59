// Workbooks, Workbook, Windows and Window over the host's objects.

#include <utility>

#include "adapters/windows/automation/host_collection.h"
#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/hresult_error.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostWorkbooks final : public HostCollection<Workbooks, WorkbookPtr, MakeHostWorkbook> {
public:
    using HostCollection::HostCollection;

    WorkbookPtr ItemByName(const std::string& name) override { return ItemAt(Variant::Text(name)); }
    std::vector<WorkbookPtr> Enumerate() override {
        // For Each asks the collection's DISPID_NEWENUM for an IEnumVARIANT.
        const Variant enumerator = object_.GetById(DISPID_NEWENUM);
        const VARIANT& value = Unwrapped(enumerator.Get());
        IUnknown* unknown = V_VT(&value) == VT_UNKNOWN    ? V_UNKNOWN(&value)
                            : V_VT(&value) == VT_DISPATCH ? V_DISPATCH(&value)
                                                          : nullptr;
        auto items = ComPtr<IUnknown>(unknown).Query<IEnumVARIANT>();
        if (!items) Raise(err::kTypeMismatch);
        std::vector<WorkbookPtr> workbooks;
        for (;;) {
            Variant item;
            ULONG fetched = 0;
            const HRESULT hr = items->Next(1, item.Receive(), &fetched);
            ThrowIfFailed(hr);
            if (hr != S_OK || fetched == 0) break;
            WorkbookPtr workbook = MakeHostWorkbook(object_.Child(item));
            if (!workbook) Raise(err::kObjectNotSet);
            workbooks.push_back(std::move(workbook));
        }
        return workbooks;
    }
    WorkbookPtr Add() override { return MakeHostWorkbook(object_.GetChild(L"Add")); }
    WorkbookPtr Open(const std::string& fileName) override {
        return MakeHostWorkbook(object_.GetChild(L"Open", Args(Variant::Text(fileName))));
    }
};

class HostWorkbook final : public HostObject<Workbook> {
public:
    using HostObject::HostObject;

    std::string Name() override { return ToUtf8(object_.Get(L"Name").Get()); }
    std::string FullName() override { return ToUtf8(object_.Get(L"FullName").Get()); }
    std::string Path() override { return ToUtf8(object_.Get(L"Path").Get()); }
    WindowsPtr Windows() override { return MakeHostWindows(object_.GetChild(L"Windows")); }
    bool IsAddin() override { return ToBool(object_.Get(L"IsAddin").Get()); }
    void Activate() override { object_.Call(L"Activate"); }
    void Save() override { object_.Call(L"Save"); }
    void Close(std::optional<bool> saveChanges) override {
        // Omitted, the argument is left out, and the host asks the user.
        object_.Call(L"Close", saveChanges ? Args(Variant::Bool(*saveChanges)) : Args());
    }
    SheetsPtr Worksheets() override { return MakeHostSheets(object_.GetChild(L"Worksheets")); }
    SheetsPtr Sheets() override { return MakeHostSheets(object_.GetChild(L"Sheets")); }
    DefinedNamesPtr Names() override { return MakeHostNames(object_.GetChild(L"Names")); }
};

using HostWindows = HostCollection<Windows, WindowPtr, MakeHostWindow>;

class HostWindow final : public HostObject<Window> {
public:
    using HostObject::HostObject;

    IDispatch* Dispatch() const noexcept { return object_.Dispatch(); }

    bool Visible() override { return ToBool(object_.Get(L"Visible").Get()); }
    WindowHandle Hwnd() override { return static_cast<WindowHandle>(ToInt32(object_.Get(L"Hwnd").Get())); }
};

}  // namespace

WorkbooksPtr MakeHostWorkbooks(LateBound object) { return MakeUnlessNothing<HostWorkbooks>(std::move(object)); }
WorkbookPtr MakeHostWorkbook(LateBound object) { return MakeUnlessNothing<HostWorkbook>(std::move(object)); }
WindowsPtr MakeHostWindows(LateBound object) { return MakeUnlessNothing<HostWindows>(std::move(object)); }
WindowPtr MakeHostWindow(LateBound object) { return MakeUnlessNothing<HostWindow>(std::move(object)); }

IDispatch* HostWindowDispatch(const WindowPtr& window) {
    const auto* ours = dynamic_cast<const HostWindow*>(window.get());
    if (ours == nullptr) Raise(err::kTypeMismatch);
    return ours->Dispatch();
}

}  // namespace brackwell::win

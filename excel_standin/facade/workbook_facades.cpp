// Workbooks, Workbook, Windows and Window as the host offers them.

#include "excel_standin/facade/collection_facades.h"
#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

class WorkbooksFacade final : public FacadeObject {
public:
    WorkbooksFacade(FacadeContextPtr context, WorkbooksPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<WorkbooksFacade>(excel::kWorkbooks, kMembers)),
          port_(std::move(port)) {}

private:
    // Open(Filename, UpdateLinks, ReadOnly, Format, Password, WriteResPassword,
    // IgnoreReadOnlyRecommended, Origin, Delimiter, Editable, Notify,
    // Converter, AddToMru, Local, CorruptLoad)
    static constexpr MemberInfo kMembers[] = {
        {L"Count", dispid::kCount, K::Get, 0, 0},
        {L"Item", dispid::kItem, K::Get, 1, 1},
        {L"_Default", dispid::kDefault, K::Get, 1, 1},
        {L"_NewEnum", dispid::kNewEnum, K::Get, 0, 0},
        {L"Add", dispid::kAdd, K::Method, 0, 1},
        {L"Open", dispid::kOpen, K::Method, 1, 15},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kCount: return Variant::Int32(port_->Count());
        case dispid::kItem:
        case dispid::kDefault: return ItemByPositionOrName(Context(), *port_, args);
        case dispid::kNewEnum: return EnumeratorOver(Context(), port_->Enumerate());
        case dispid::kAdd:
            args.RequireOmitted(0);  // Template
            return Wrap(Context(), port_->Add());
        case dispid::kOpen: {
            const std::string fileName = args.Text(0);
            args.RequireOmittedFrom(1);
            return Wrap(Context(), port_->Open(fileName));
        }
        default: return {};
        }
    }

    WorkbooksPtr port_;
};

class WorkbookFacade final : public FacadeObject {
public:
    WorkbookFacade(FacadeContextPtr context, WorkbookPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<WorkbookFacade>(excel::kWorkbook, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Name", dispid::kName, K::Get, 0, 0},
        {L"FullName", dispid::kFullName, K::Get, 0, 0},
        {L"Path", dispid::kPath, K::Get, 0, 0},
        {L"Windows", dispid::kWindows, K::Get, 0, 0},
        {L"IsAddin", dispid::kIsAddin, K::Get, 0, 0},
        {L"Activate", dispid::kActivate, K::Method, 0, 0},
        {L"Save", dispid::kSave, K::Method, 0, 0},
        {L"Close", dispid::kClose, K::Method, 0, 3},  // (SaveChanges, Filename, RouteWorkbook)
        {L"Worksheets", dispid::kWorksheets, K::Get, 0, 0},
        {L"Sheets", dispid::kSheets, K::Get, 0, 0},
        {L"Names", dispid::kNames, K::Get, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kName: return Variant::Text(port_->Name());
        case dispid::kFullName: return Variant::Text(port_->FullName());
        case dispid::kPath: return Variant::Text(port_->Path());
        case dispid::kWindows: return Wrap(Context(), port_->Windows());
        case dispid::kIsAddin: return Variant::Bool(port_->IsAddin());
        case dispid::kActivate: port_->Activate(); return {};
        case dispid::kSave: port_->Save(); return {};
        case dispid::kClose: {
            const std::optional<bool> saveChanges = args.OptionalBool(0);
            args.RequireOmittedFrom(1);
            port_->Close(saveChanges);
            return {};
        }
        case dispid::kWorksheets: return Wrap(Context(), port_->Worksheets());
        case dispid::kSheets: return Wrap(Context(), port_->Sheets());
        case dispid::kNames: return Wrap(Context(), port_->Names());
        default: return {};
        }
    }

    WorkbookPtr port_;
};

class WindowFacade final : public FacadeObject {
public:
    WindowFacade(FacadeContextPtr context, WindowPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<WindowFacade>(excel::kWindow, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Visible", dispid::kVisible, K::Get, 0, 0},
        {L"Hwnd", dispid::kHwnd, K::Get, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs&) override {
        if (id == dispid::kVisible) return Variant::Bool(port_->Visible());
        // A Long, as the host gives window handles.
        if (id == dispid::kHwnd) return Variant::Int32(static_cast<std::int32_t>(port_->Hwnd()));
        return {};
    }

    WindowPtr port_;
};

}  // namespace

Variant Wrap(const FacadeContextPtr& context, const WorkbooksPtr& port) {
    return FacadeResult<WorkbooksFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const WorkbookPtr& port) {
    return FacadeResult<WorkbookFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const WindowsPtr& port) {
    return FacadeResult<PositionalCollectionFacade<Windows, excel::kWindows>>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const WindowPtr& port) {
    return FacadeResult<WindowFacade>(context, port);
}

}  // namespace brackwell::win

// The Worksheets and Sheets collections, Worksheet and Tab as the host offers
// them.

#include "excel_standin/facade/collection_facades.h"
#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

class SheetsFacade final : public FacadeObject {
public:
    SheetsFacade(FacadeContextPtr context, SheetsPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<SheetsFacade>(excel::kSheets, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Count", dispid::kCount, K::Get, 0, 0},
        {L"Item", dispid::kItem, K::Get, 1, 1},
        {L"_Default", dispid::kDefault, K::Get, 1, 1},
        {L"_NewEnum", dispid::kNewEnum, K::Get, 0, 0},
        {L"Add", dispid::kAdd, K::Method, 0, 4},  // (Before, After, Count, Type)
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kCount: return Variant::Int32(port_->Count());
        case dispid::kItem:
        case dispid::kDefault: return ItemByPositionOrName(Context(), *port_, args);
        case dispid::kNewEnum: {
            std::vector<SheetPtr> sheets;
            const std::int32_t count = port_->Count();
            for (std::int32_t i = 1; i <= count; ++i) sheets.push_back(port_->Item(i));
            return EnumeratorOver(Context(), sheets);
        }
        case dispid::kAdd:
            args.RequireOmittedFrom(0);
            return Wrap(Context(), port_->Add());
        default: return {};
        }
    }

    SheetsPtr port_;
};

class SheetFacade final : public FacadeObject {
public:
    SheetFacade(FacadeContextPtr context, SheetPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<SheetFacade>(excel::kWorksheet, kMembers)),
          port_(std::move(port)) {}

    const SheetPtr& Port() const noexcept { return port_; }

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Name", dispid::kName, K::GetPut, 0, 0},
        {L"ProtectContents", dispid::kProtectContents, K::Get, 0, 0},
        // Protect(Password, DrawingObjects, Contents, Scenarios, UserInterfaceOnly,
        // and eleven Allow... options)
        {L"Protect", dispid::kProtect, K::Method, 0, 16},
        {L"Unprotect", dispid::kUnprotect, K::Method, 0, 1},
        {L"Tab", dispid::kTab, K::Get, 0, 0},
        {L"Activate", dispid::kActivate, K::Method, 0, 0},
        {L"Delete", dispid::kDelete, K::Method, 0, 0},
        {L"Copy", dispid::kCopy, K::Method, 0, 2},  // (Before, After)
        {L"Move", dispid::kMove, K::Method, 0, 2},  // (Before, After)
    };

    // An anchor sheet must be one of this facade's sheets, as the host only
    // takes its own.
    SheetPtr Anchor(const DispArgs& args, UINT position) const {
        if (!args.Given(position)) return {};
        SheetPtr sheet = PortSheetOf(args.Object(position).Get());
        if (!sheet) throw ArgumentError{position, DISP_E_TYPEMISMATCH};
        return sheet;
    }

    Variant Get(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kName: return Variant::Text(port_->Name());
        case dispid::kProtectContents: return Variant::Bool(port_->ProtectContents());
        case dispid::kProtect: {
            const std::optional<std::string> password = args.OptionalText(0);
            args.RequireOmittedFrom(1);
            port_->Protect(password);
            return {};
        }
        case dispid::kUnprotect: port_->Unprotect(args.OptionalText(0)); return {};
        case dispid::kTab: return Wrap(Context(), port_->Tab());
        case dispid::kActivate: port_->Activate(); return {};
        case dispid::kDelete: port_->Delete(); return {};
        case dispid::kCopy: port_->Copy(Anchor(args, 0), Anchor(args, 1)); return {};
        case dispid::kMove: port_->Move(Anchor(args, 0), Anchor(args, 1)); return {};
        default: return {};
        }
    }

    void Put(DISPID id, const DispArgs& args) override {
        if (id == dispid::kName) port_->SetName(args.Text(0));
    }

    SheetPtr port_;
};

class TabFacade final : public FacadeObject {
public:
    TabFacade(FacadeContextPtr context, TabPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<TabFacade>(excel::kTab, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"ColorIndex", dispid::kColorIndex, K::GetPut, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs&) override {
        if (id == dispid::kColorIndex) return Variant::Int32(port_->ColorIndex());
        return {};
    }
    void Put(DISPID id, const DispArgs& args) override {
        if (id == dispid::kColorIndex) port_->SetColorIndex(args.Int(0));
    }

    TabPtr port_;
};

}  // namespace

Variant Wrap(const FacadeContextPtr& context, const SheetsPtr& port) {
    return FacadeResult<SheetsFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const SheetPtr& port) {
    return FacadeResult<SheetFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const TabPtr& port) {
    return FacadeResult<TabFacade>(context, port);
}

SheetPtr PortSheetOf(IDispatch* object) noexcept {
    const SheetFacade* sheet = FacadeOf<SheetFacade>(object);
    return sheet ? sheet->Port() : SheetPtr();
}

}  // namespace brackwell::win

// RecentFiles, RecentFile, Dialogs and Dialog as the host offers them.

#include "excel_standin/facade/collection_facades.h"
#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"
#include "excel_standin/facade/facade_type_info.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

class RecentFileFacade final : public FacadeObject {
public:
    RecentFileFacade(FacadeContextPtr context, RecentFilePtr port)
        : FacadeObject(std::move(context), TypeInfoOf<RecentFileFacade>(excel::kRecentFile, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Name", dispid::kName, K::Get, 0, 0},
        {L"Path", dispid::kPath, K::Get, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs&) override {
        switch (id) {
        case dispid::kName: return Variant::Text(port_->Name());
        case dispid::kPath: return Variant::Text(port_->Path());
        default: return {};
        }
    }

    RecentFilePtr port_;
};

class DialogsFacade final : public FacadeObject {
public:
    DialogsFacade(FacadeContextPtr context, DialogsPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<DialogsFacade>(excel::kDialogs, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Item", dispid::kItem, K::Get, 1, 1},
        {L"_Default", dispid::kDefault, K::Get, 1, 1},
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        if (id == dispid::kItem || id == dispid::kDefault) return Wrap(Context(), port_->Item(args.Int(0)));
        return {};
    }

    DialogsPtr port_;
};

class DialogFacade final : public FacadeObject {
public:
    DialogFacade(FacadeContextPtr context, DialogPtr port)
        : FacadeObject(std::move(context), TypeInfoOf<DialogFacade>(excel::kDialog, kMembers)),
          port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Show", dispid::kShow, K::Method, 0, 30},  // (Arg1 ... Arg30): the dialog's initial values
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        if (id != dispid::kShow) return {};
        args.RequireOmittedFrom(0);
        return Variant::Bool(port_->Show());
    }

    DialogPtr port_;
};

}  // namespace

Variant Wrap(const FacadeContextPtr& context, const RecentFilesPtr& port) {
    return FacadeResult<PositionalCollectionFacade<RecentFiles, excel::kRecentFiles>>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const RecentFilePtr& port) {
    return FacadeResult<RecentFileFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const DialogsPtr& port) {
    return FacadeResult<DialogsFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const DialogPtr& port) {
    return FacadeResult<DialogFacade>(context, port);
}

}  // namespace brackwell::win

// The Office command-bar objects as the host offers them, as far as the port
// reaches: CommandBars.Add, a bar's Visible, Protection, Controls and Delete,
// Controls.Add, and the button properties the component sets (write-only
// here, because the port has no getters for them).

#include "excel_standin/facade/excel_dispids.h"
#include "excel_standin/facade/facade_objects.h"

namespace brackwell::win {

namespace {

using K = MemberKind;

constexpr std::int32_t kBarFloating = 4;  // msoBarFloating, Add's default position

class CommandBarsFacade final : public FacadeObject {
public:
    CommandBarsFacade(FacadeContextPtr context, CommandBarsPtr port)
        : FacadeObject(std::move(context), kMembers), port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Add", dispid::kCommandBarsAdd, K::Method, 0, 4},  // (Name, Position, MenuBar, Temporary)
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        if (id != dispid::kCommandBarsAdd) return {};
        // An omitted name is left to the host to choose.
        return Wrap(Context(), port_->Add(args.OptionalText(0).value_or(""),
                                          args.OptionalInt(1).value_or(kBarFloating),
                                          args.OptionalBool(2).value_or(false),
                                          args.OptionalBool(3).value_or(false)));
    }

    CommandBarsPtr port_;
};

class CommandBarFacade final : public FacadeObject {
public:
    CommandBarFacade(FacadeContextPtr context, CommandBarPtr port)
        : FacadeObject(std::move(context), kMembers), port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Visible", dispid::kCommandBarVisible, K::Put, 0, 0},
        {L"Protection", dispid::kCommandBarProtection, K::Put, 0, 0},
        {L"Controls", dispid::kCommandBarControls, K::Get, 0, 0},
        {L"Delete", dispid::kCommandBarDelete, K::Method, 0, 0},
    };

    Variant Get(DISPID id, const DispArgs&) override {
        switch (id) {
        case dispid::kCommandBarControls: return Wrap(Context(), port_->Controls());
        case dispid::kCommandBarDelete: port_->Delete(); return {};
        default: return {};
        }
    }
    void Put(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kCommandBarVisible: port_->SetVisible(args.Bool(0)); break;
        case dispid::kCommandBarProtection: port_->SetProtection(args.Int(0)); break;
        default: break;
        }
    }

    CommandBarPtr port_;
};

class CommandBarControlsFacade final : public FacadeObject {
public:
    CommandBarControlsFacade(FacadeContextPtr context, CommandBarControlsPtr port)
        : FacadeObject(std::move(context), kMembers), port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Add", dispid::kControlsAdd, K::Method, 0, 5},  // (Type, Id, Parameter, Before, Temporary)
    };

    Variant Get(DISPID id, const DispArgs& args) override {
        if (id != dispid::kControlsAdd) return {};
        const std::int32_t type = args.OptionalInt(0).value_or(xl::kControlButton);
        // Id 1 is the blank custom control Add makes anyway.
        if (args.OptionalInt(1).value_or(1) != 1) Raise(err::kInvalidCall);
        args.RequireOmitted(2);  // Parameter
        args.RequireOmitted(3);  // Before
        args.OptionalBool(4);    // Temporary: checked, nothing outlives the embedded host anyway
        return Wrap(Context(), port_->Add(type));
    }

    CommandBarControlsPtr port_;
};

class CommandBarButtonFacade final : public FacadeObject {
public:
    CommandBarButtonFacade(FacadeContextPtr context, CommandBarButtonPtr port)
        : FacadeObject(std::move(context), kMembers), port_(std::move(port)) {}

private:
    static constexpr MemberInfo kMembers[] = {
        {L"Caption", dispid::kButtonCaption, K::Put, 0, 0},
        {L"Style", dispid::kButtonStyle, K::Put, 0, 0},
        {L"TooltipText", dispid::kButtonTooltipText, K::Put, 0, 0},
        {L"FaceId", dispid::kButtonFaceId, K::Put, 0, 0},
        {L"Enabled", dispid::kButtonEnabled, K::Put, 0, 0},
        {L"Height", dispid::kButtonHeight, K::Put, 0, 0},
        {L"Width", dispid::kButtonWidth, K::Put, 0, 0},
        {L"OnAction", dispid::kButtonOnAction, K::Put, 0, 0},
    };

    Variant Get(DISPID, const DispArgs&) override { return {}; }
    void Put(DISPID id, const DispArgs& args) override {
        switch (id) {
        case dispid::kButtonCaption: port_->SetCaption(args.Text(0)); break;
        case dispid::kButtonStyle: port_->SetStyle(args.Int(0)); break;
        case dispid::kButtonTooltipText: port_->SetTooltipText(args.Text(0)); break;
        case dispid::kButtonFaceId: port_->SetFaceId(args.Int(0)); break;
        case dispid::kButtonEnabled: port_->SetEnabled(args.Bool(0)); break;
        case dispid::kButtonHeight: port_->SetHeight(args.Int(0)); break;
        case dispid::kButtonWidth: port_->SetWidth(args.Int(0)); break;
        case dispid::kButtonOnAction: port_->SetOnAction(args.Text(0)); break;
        default: break;
        }
    }

    CommandBarButtonPtr port_;
};

}  // namespace

Variant Wrap(const FacadeContextPtr& context, const CommandBarsPtr& port) {
    return FacadeResult<CommandBarsFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const CommandBarPtr& port) {
    return FacadeResult<CommandBarFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const CommandBarControlsPtr& port) {
    return FacadeResult<CommandBarControlsFacade>(context, port);
}
Variant Wrap(const FacadeContextPtr& context, const CommandBarButtonPtr& port) {
    return FacadeResult<CommandBarButtonFacade>(context, port);
}

}  // namespace brackwell::win

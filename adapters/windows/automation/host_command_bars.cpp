// CommandBars, CommandBar, CommandBarControls and CommandBarButton over the
// host's Office command-bar objects. Their DISPIDs differ between Office
// versions, which late binding by name does not care about.

#include <utility>

#include "adapters/windows/automation/host_objects.h"
#include "adapters/windows/common/variant_convert.h"

namespace brackwell::win {

namespace {

class HostCommandBars final : public HostObject<CommandBars> {
public:
    using HostObject::HostObject;

    CommandBarPtr Add(const std::string& name, std::int32_t position, bool menuBar,
                      bool temporary) override {
        return MakeHostCommandBar(object_.GetChild(L"Add", Args(Variant::Text(name), Variant::Int32(position),
                                                                Variant::Bool(menuBar), Variant::Bool(temporary))));
    }
};

class HostCommandBar final : public HostObject<CommandBar> {
public:
    using HostObject::HostObject;

    void SetVisible(bool visible) override { object_.Put(L"Visible", Variant::Bool(visible)); }
    void SetProtection(std::int32_t protection) override {
        object_.Put(L"Protection", Variant::Int32(protection));
    }
    CommandBarControlsPtr Controls() override { return MakeHostCommandBarControls(object_.GetChild(L"Controls")); }
    void Delete() override { object_.Call(L"Delete"); }
};

class HostCommandBarControls final : public HostObject<CommandBarControls> {
public:
    using HostObject::HostObject;

    CommandBarButtonPtr Add(std::int32_t type) override {
        // Id, Parameter, Before and Temporary omitted: a blank control at the end.
        return MakeHostCommandBarButton(object_.GetChild(L"Add", Args(Variant::Int32(type))));
    }
};

class HostCommandBarButton final : public HostObject<CommandBarButton> {
public:
    using HostObject::HostObject;

    void SetCaption(const std::string& caption) override { object_.Put(L"Caption", Variant::Text(caption)); }
    void SetStyle(std::int32_t style) override { object_.Put(L"Style", Variant::Int32(style)); }
    void SetTooltipText(const std::string& text) override {
        object_.Put(L"TooltipText", Variant::Text(text));
    }
    void SetFaceId(std::int32_t faceId) override { object_.Put(L"FaceId", Variant::Int32(faceId)); }
    void SetEnabled(bool enabled) override { object_.Put(L"Enabled", Variant::Bool(enabled)); }
    void SetHeight(std::int32_t height) override { object_.Put(L"Height", Variant::Int32(height)); }
    void SetWidth(std::int32_t width) override { object_.Put(L"Width", Variant::Int32(width)); }
    void SetOnAction(const std::string& macro) override { object_.Put(L"OnAction", Variant::Text(macro)); }
};

}  // namespace

CommandBarsPtr MakeHostCommandBars(LateBound object) {
    return MakeUnlessNothing<HostCommandBars>(std::move(object));
}
CommandBarPtr MakeHostCommandBar(LateBound object) {
    return MakeUnlessNothing<HostCommandBar>(std::move(object));
}
CommandBarControlsPtr MakeHostCommandBarControls(LateBound object) {
    return MakeUnlessNothing<HostCommandBarControls>(std::move(object));
}
CommandBarButtonPtr MakeHostCommandBarButton(LateBound object) {
    return MakeUnlessNothing<HostCommandBarButton>(std::move(object));
}

}  // namespace brackwell::win

#pragma once
// Port objects of the command bars: CommandBars.Add, a bar, its controls and
// its buttons. They change the views kept in CommandBarRegistry.

#include <cstddef>
#include <memory>

#include "excel_standin/embedded/command_bars.h"
#include "excel_standin/embedded/port_object.h"
#include "host/excel.h"

namespace brackwell::embedded {

class CommandBarsObject final : public CommandBars, public PortObject {
public:
    using PortObject::PortObject;
    CommandBarPtr Add(const std::string& name, std::int32_t position, bool menuBar,
                      bool temporary) override;
};

class CommandBarObject final : public CommandBar, public PortObject {
public:
    CommandBarObject(std::weak_ptr<HostCore> host, std::shared_ptr<CommandBarView> bar)
        : PortObject(std::move(host)), bar_(std::move(bar)) {}
    void SetVisible(bool visible) override;
    void SetProtection(std::int32_t protection) override;
    CommandBarControlsPtr Controls() override;
    void Delete() override;

private:
    bool Connected() const override { return !bar_->deleted; }
    std::shared_ptr<CommandBarView> bar_;
};

class CommandBarControlsObject final : public CommandBarControls, public PortObject {
public:
    CommandBarControlsObject(std::weak_ptr<HostCore> host, std::shared_ptr<CommandBarView> bar)
        : PortObject(std::move(host)), bar_(std::move(bar)) {}
    CommandBarButtonPtr Add(std::int32_t type) override;

private:
    bool Connected() const override { return !bar_->deleted; }
    std::shared_ptr<CommandBarView> bar_;
};

class CommandBarButtonObject final : public CommandBarButton, public PortObject {
public:
    CommandBarButtonObject(std::weak_ptr<HostCore> host, std::shared_ptr<CommandBarView> bar,
                           std::size_t index)
        : PortObject(std::move(host)), bar_(std::move(bar)), index_(index) {}
    void SetCaption(const std::string& caption) override;
    void SetStyle(std::int32_t style) override;
    void SetTooltipText(const std::string& text) override;
    void SetFaceId(std::int32_t faceId) override;
    void SetEnabled(bool enabled) override;
    void SetHeight(std::int32_t height) override;
    void SetWidth(std::int32_t width) override;
    void SetOnAction(const std::string& macro) override;

private:
    bool Connected() const override { return !bar_->deleted; }
    CommandBarButtonView& Button() { return bar_->buttons[index_]; }
    std::shared_ptr<CommandBarView> bar_;
    std::size_t index_;
};

}  // namespace brackwell::embedded

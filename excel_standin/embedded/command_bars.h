#pragma once
// The host's command bars as far as the navigator uses them: custom bars made
// with CommandBars.Add and their buttons. The views are what a test sees; the
// port objects (command_bar_ports.h) change them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace brackwell::embedded {

struct CommandBarButtonView {
    std::string caption;
    std::int32_t style = 0;  // msoButtonAutomatic
    std::string tooltip;
    std::int32_t faceId = 0;
    bool enabled = true;
    std::int32_t height = 22;  // a fresh button's size in an Office 2003 bar
    std::int32_t width = 23;
    std::string onAction;
};

struct CommandBarView {
    std::string name;
    std::int32_t position = 0;
    bool menuBar = false;
    bool temporary = false;
    bool visible = false;  // a new custom bar is hidden until made visible
    std::int32_t protection = 0;
    bool deleted = false;
    std::vector<CommandBarButtonView> buttons;
};

class CommandBarRegistry {
public:
    // Fails with error 5 when a bar of that name exists (built-in ones too) or
    // the position is not an msoBarPosition.
    std::shared_ptr<CommandBarView> Add(const std::string& name, std::int32_t position, bool menuBar,
                                        bool temporary);
    // Every custom bar ever added, deleted ones included, in order of adding.
    std::vector<CommandBarView> All() const;
    // The live custom bar of that name, or null.
    std::shared_ptr<CommandBarView> Find(const std::string& name) const;

private:
    std::vector<std::shared_ptr<CommandBarView>> bars_;
};

}  // namespace brackwell::embedded

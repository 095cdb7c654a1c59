#include "excel_standin/embedded/command_bars.h"

#include <array>
#include <string_view>

#include "excel_standin/embedded/unicode_text.h"
#include "host/automation_error.h"

namespace brackwell::embedded {

namespace {

// A few of the host's own bars, so that a clash with one of them is refused too.
constexpr std::array<std::string_view, 6> kBuiltInBars = {
    "Worksheet Menu Bar", "Chart Menu Bar", "Standard", "Formatting", "Cell", "Ply"};

constexpr std::int32_t kLastBarPosition = 6;  // msoBarMenuBar

}  // namespace

std::shared_ptr<CommandBarView> CommandBarRegistry::Add(const std::string& name, std::int32_t position,
                                                        bool menuBar, bool temporary) {
    if (position < 0 || position > kLastBarPosition) Raise(err::kInvalidCall);
    for (std::string_view builtIn : kBuiltInBars) {
        if (EqualsIgnoreCase(builtIn, name)) Raise(err::kInvalidCall);
    }
    if (Find(name)) Raise(err::kInvalidCall);
    auto bar = std::make_shared<CommandBarView>();
    bar->name = name;
    bar->position = position;
    bar->menuBar = menuBar;
    bar->temporary = temporary;
    bars_.push_back(bar);
    return bar;
}

std::vector<CommandBarView> CommandBarRegistry::All() const {
    std::vector<CommandBarView> all;
    all.reserve(bars_.size());
    for (const auto& bar : bars_) all.push_back(*bar);
    return all;
}

std::shared_ptr<CommandBarView> CommandBarRegistry::Find(const std::string& name) const {
    for (const auto& bar : bars_) {
        if (!bar->deleted && EqualsIgnoreCase(bar->name, name)) return bar;
    }
    return nullptr;
}

}  // namespace brackwell::embedded

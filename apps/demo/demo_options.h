#pragma once
// What the demo program is asked to do, from its command line:
//   (nothing)                  the interactive window
//   --screenshot <file.bmp>    start, wait for the pane, write a picture, close
//   --smoke                    start, wait for the pane, close, check the clean-up

#include <optional>
#include <string>
#include <vector>

namespace brackwell::demo {

enum class DemoMode { Interactive, Screenshot, Smoke };

struct DemoOptions {
    DemoMode mode = DemoMode::Interactive;
    std::wstring screenshotPath;  // for Screenshot
};

struct ParsedOptions {
    std::optional<DemoOptions> options;  // empty when the command line is wrong
    std::wstring error;                  // then: what is wrong, with the usage
};

// `arguments` without the program name.
ParsedOptions ParseDemoOptions(const std::vector<std::wstring>& arguments);

}  // namespace brackwell::demo

#pragma once
// What the demo program is asked to do, from its command line:
//   [--excel 2003|2010|2016]   the Excel generation it plays (2016 when not given)
//   (nothing more)             the interactive window
//   --screenshot <file.bmp>    start, wait for the pane, write a picture, close
//   --smoke                    start, wait for the pane, work it, close, check the clean-up

#include <optional>
#include <string>
#include <vector>

namespace brackwell::demo {

enum class DemoMode { Interactive, Screenshot, Smoke };

// Excel 2003: one main window with command-bar docks, the navigator started
// as the host-side module starts it. Excel 2010: one main window with a
// ribbon and task panes, COM add-ins. Excel 2016: the same with a window of
// its own for every workbook.
enum class ExcelGeneration { Excel2003, Excel2010, Excel2016 };

struct DemoOptions {
    DemoMode mode = DemoMode::Interactive;
    std::wstring screenshotPath;  // for Screenshot
    ExcelGeneration generation = ExcelGeneration::Excel2016;
};

struct ParsedOptions {
    std::optional<DemoOptions> options;  // empty when the command line is wrong
    std::wstring error;                  // then: what is wrong, with the usage
};

// `arguments` without the program name.
ParsedOptions ParseDemoOptions(const std::vector<std::wstring>& arguments);

// The host's Application.Version of a generation: "11.0", "14.0", "16.0".
std::string VersionOf(ExcelGeneration generation);

}  // namespace brackwell::demo

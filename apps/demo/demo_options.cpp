#include "apps/demo/demo_options.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kUsage[] =
    L"Usage: brackwell_demo [--screenshot <file.bmp> | --smoke]";

ParsedOptions Refused(const std::wstring& reason) { return {std::nullopt, reason + L"\n" + kUsage}; }

}  // namespace

ParsedOptions ParseDemoOptions(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return {DemoOptions{}, {}};
    const std::wstring& first = arguments.front();
    if (first == L"--smoke") {
        if (arguments.size() != 1) return Refused(L"--smoke takes no further argument.");
        return {DemoOptions{DemoMode::Smoke, {}}, {}};
    }
    if (first == L"--screenshot") {
        if (arguments.size() != 2 || arguments[1].empty())
            return Refused(L"--screenshot needs exactly one file name.");
        return {DemoOptions{DemoMode::Screenshot, arguments[1]}, {}};
    }
    return Refused(L"Unknown argument: " + first);
}

}  // namespace brackwell::demo

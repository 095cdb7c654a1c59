#include "apps/demo/demo_options.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kUsage[] =
    L"Usage: brackwell_demo [--excel 2003|2010|2016] [--screenshot <file.bmp> | --smoke]";

ParsedOptions Refused(const std::wstring& reason) { return {std::nullopt, reason + L"\n" + kUsage}; }

}  // namespace

ParsedOptions ParseDemoOptions(const std::vector<std::wstring>& arguments) {
    DemoOptions options;
    std::size_t next = 0;
    if (next < arguments.size() && arguments[next] == L"--excel") {
        const std::wstring year = next + 1 < arguments.size() ? arguments[next + 1] : L"";
        if (year == L"2003") {
            options.generation = ExcelGeneration::Excel2003;
        } else if (year == L"2010") {
            options.generation = ExcelGeneration::Excel2010;
        } else if (year == L"2016") {
            options.generation = ExcelGeneration::Excel2016;
        } else {
            return Refused(L"--excel takes 2003, 2010 or 2016.");
        }
        next += 2;
    }
    const std::vector<std::wstring> rest(arguments.begin() + static_cast<long>(next), arguments.end());
    if (rest.empty()) return {options, {}};
    const std::wstring& first = rest.front();
    if (first == L"--smoke") {
        if (rest.size() != 1) return Refused(L"--smoke takes no further argument.");
        options.mode = DemoMode::Smoke;
        return {options, {}};
    }
    if (first == L"--screenshot") {
        if (rest.size() != 2 || rest[1].empty()) return Refused(L"--screenshot needs exactly one file name.");
        options.mode = DemoMode::Screenshot;
        options.screenshotPath = rest[1];
        return {options, {}};
    }
    return Refused(L"Unknown argument: " + first);
}

std::string VersionOf(ExcelGeneration generation) {
    switch (generation) {
    case ExcelGeneration::Excel2003: return "11.0";
    case ExcelGeneration::Excel2010: return "14.0";
    default: return "16.0";
    }
}

}  // namespace brackwell::demo

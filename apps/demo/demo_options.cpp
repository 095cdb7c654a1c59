#include "apps/demo/demo_options.h"

namespace brackwell::demo {
namespace {

constexpr wchar_t kUsage[] =
    L"Aufruf: brackwell_demo [--screenshot <datei.bmp> | --smoke]";

ParsedOptions Refused(const std::wstring& reason) { return {std::nullopt, reason + L"\n" + kUsage}; }

}  // namespace

ParsedOptions ParseDemoOptions(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return {DemoOptions{}, {}};
    const std::wstring& first = arguments.front();
    if (first == L"--smoke") {
        if (arguments.size() != 1) return Refused(L"--smoke nimmt kein weiteres Argument.");
        return {DemoOptions{DemoMode::Smoke, {}}, {}};
    }
    if (first == L"--screenshot") {
        if (arguments.size() != 2 || arguments[1].empty())
            return Refused(L"--screenshot braucht genau einen Dateinamen.");
        return {DemoOptions{DemoMode::Screenshot, arguments[1]}, {}};
    }
    return Refused(L"Unbekanntes Argument: " + first);
}

}  // namespace brackwell::demo

// brackwell_demo.exe: the spreadsheet application around the embedded host,
// with Brackwell's navigator loaded from the registered brackwell.dll.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "adapters/windows/common/utf.h"
#include "apps/demo/demo_app.h"
#include "apps/demo/demo_options.h"

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(list[i]);
    ::LocalFree(list);
    return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace brackwell::demo;
    const ParsedOptions parsed = ParseDemoOptions(Arguments());
    if (!parsed.options) {
        std::fputs((brackwell::win::WideToUtf8(parsed.error) + "\n").c_str(), stderr);
        return 2;
    }
    return RunDemo(instance, *parsed.options);
}

#include "core/failure.h"
#include "dialogs/frm_about.h"

namespace brackwell {
namespace {

constexpr std::string_view kScheme = "http://";

}  // namespace

void OpenUrl(SystemServices& system, WindowHandle hwnd, const std::string& address) {
    IgnoreFailure([&] { system.SetBusyPointer(true); });
    IgnoreFailure([&] {
        const std::string url = address.compare(0, kScheme.size(), kScheme) == 0 ? address : std::string(kScheme) + address;
        system.ShellExecuteFile(hwnd, "Open", url, "", "", show::kMaximized);  // its result is not examined
    });
    IgnoreFailure([&] { system.SetBusyPointer(false); });
}

}  // namespace brackwell

#include "adapters/windows/system/win_system_services.h"

#include <shellapi.h>

#include <optional>
#include <utility>
#include <vector>

#include "adapters/windows/common/system_upper_case.h"
#include "adapters/windows/common/utf.h"
#include "adapters/windows/ui/win_handles.h"
#include "host/automation_error.h"

namespace brackwell::win {
namespace {

// Empty texts are passed as "none", as the system documents its defaults.
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

std::wstring ModulePath(HINSTANCE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

WinSystemServices::WinSystemServices(HINSTANCE module) : module_(module) {}

std::intptr_t WinSystemServices::ShellExecuteFile(WindowHandle window, const std::string& operation,
                                                  const std::string& file, const std::string& parameters,
                                                  const std::string& directory, std::int32_t showCommand) {
    const std::wstring op = Utf8ToWide(operation), target = Utf8ToWide(file), args = Utf8ToWide(parameters),
                       folder = Utf8ToWide(directory);
    const HINSTANCE result = ::ShellExecuteW(reinterpret_cast<HWND>(window), OrNull(op), target.c_str(),
                                             OrNull(args), OrNull(folder), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

void WinSystemServices::RunProgram(const std::string& path, std::int32_t windowStyle) {
    std::wstring commandLine = Utf8ToWide(path);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION started{};
    if (commandLine.empty() || !::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                                 nullptr, &startup, &started)) {
        Raise(err::kFileNotFound);
    }
    // Not waited for: only our handles to it go.
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
}

bool WinSystemServices::FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WinSystemServices::SetBusyPointer(bool busy) {
    // IDC_WAIT and IDC_ARROW, spelled for the W function whatever UNICODE says.
    ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? 32514 : 32512)));
}

ComponentVersion WinSystemServices::Version() {
    const std::wstring path = ModulePath(module_);
    DWORD ignored = 0;
    std::vector<BYTE> block(path.empty() ? 0 : ::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (block.empty() || !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        Raise(err::kInvalidCall, "Die Version der Komponente ist nicht lesbar");
    }
    return ComponentVersion{static_cast<std::int32_t>(HIWORD(fixed->dwFileVersionMS)),
                            static_cast<std::int32_t>(LOWORD(fixed->dwFileVersionMS)),
                            static_cast<std::int32_t>(HIWORD(fixed->dwFileVersionLS))};
}

std::string WinSystemServices::UpperCase(const std::string& text) {
    std::optional<std::string> upper = SystemUpperCase(text);
    if (!upper) Raise(err::kInvalidCall, "Der Text ist nicht in Großbuchstaben umzuwandeln");
    return std::move(*upper);
}

}  // namespace brackwell::win

#pragma once
// The operating-system services on Windows: the registry, ShellExecuteW,
// programs started with CreateProcessW, file tests, the wait cursor, the
// version resource of the module the component lives in, and the system's
// case mapping.

#include <windows.h>

#include "adapters/windows/system/win_registry.h"
#include "host/system.h"

namespace brackwell::win {

class WinSystemServices final : public SystemServices {
public:
    // `module`: whose version resource Version() reads (the DLL's own handle).
    explicit WinSystemServices(HINSTANCE module);

    Registry& SystemRegistry() override { return registry_; }
    std::intptr_t ShellExecuteFile(WindowHandle window, const std::string& operation, const std::string& file,
                                   const std::string& parameters, const std::string& directory,
                                   std::int32_t showCommand) override;
    // `path` is a command line, as VB's Shell takes it; the program is not
    // waited for. Fails with error 53 when it cannot be started.
    void RunProgram(const std::string& path, std::int32_t windowStyle) override;
    bool FileExists(const std::string& path) override;  // a file, not a folder
    void SetBusyPointer(bool busy) override;
    // Major, minor and third field of the file version; fails with error 5
    // when the module has no version resource.
    ComponentVersion Version() override;
    // LCMapStringEx's upper case in the user's locale.
    std::string UpperCase(const std::string& text) override;

private:
    HINSTANCE module_;
    WinRegistry registry_;
};

}  // namespace brackwell::win

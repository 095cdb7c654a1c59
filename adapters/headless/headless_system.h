#pragma once
// The operating-system services without a system: the registry in memory,
// files that "exist" because a test says so, and a record of every program
// and document started and of the mouse pointer's changes.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "adapters/headless/headless_registry.h"
#include "host/system.h"

namespace brackwell::headless {

struct ShellExecuteCall {
    WindowHandle window = 0;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    std::int32_t showCommand = 0;
    bool busyPointer = false;  // the hourglass showed while the call ran
};

struct ProgramStart {
    std::string path;
    std::int32_t windowStyle = 0;
};

class HeadlessSystem final : public SystemServices {
public:
    static constexpr std::intptr_t kShellExecuteResult = 42;  // above 32: success

    // SystemServices
    HeadlessRegistry& SystemRegistry() override { return registry_; }  // with its writing and inspection
    std::intptr_t ShellExecuteFile(WindowHandle window, const std::string& operation, const std::string& file,
                                   const std::string& parameters, const std::string& directory,
                                   std::int32_t showCommand) override;
    // Starts only a file that exists; otherwise fails with error 53.
    void RunProgram(const std::string& path, std::int32_t windowStyle) override;
    bool FileExists(const std::string& path) override;  // letter case ignored
    void SetBusyPointer(bool busy) override;
    ComponentVersion Version() override { return version_; }
    // By the portable table, which agrees with the Windows case mapping.
    std::string UpperCase(const std::string& text) override;

    void AddFile(const std::string& path);
    void SetVersion(ComponentVersion version) { version_ = version; }

    const std::vector<ShellExecuteCall>& ShellExecuteCalls() const { return shellCalls_; }
    const std::vector<ProgramStart>& ProgramStarts() const { return programStarts_; }
    const std::vector<bool>& PointerChanges() const { return pointerChanges_; }  // true: hourglass
    bool BusyPointer() const { return busy_; }

private:
    HeadlessRegistry registry_;
    std::set<std::string> files_;  // folded
    ComponentVersion version_{1, 0, 0};
    std::vector<ShellExecuteCall> shellCalls_;
    std::vector<ProgramStart> programStarts_;
    std::vector<bool> pointerChanges_;
    bool busy_ = false;
};

}  // namespace brackwell::headless

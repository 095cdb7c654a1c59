#pragma once
// The shell port over the Windows Script Host shell object, created by its
// ProgID "WScript.Shell" and called late, by member name, as a script would
// call it. Every failure (no shell object on the machine, an unknown folder,
// a shortcut that cannot be written) is an AutomationError.

#include <memory>
#include <string>

#include "adapters/windows/automation/late_bound.h"
#include "host/shell.h"

namespace brackwell::win {

class WinShell final : public ShellObject {
public:
    // Creates the shell object; fails when it is not registered.
    WinShell();

    // SpecialFolders("Desktop"): the property gives a collection, whose
    // default member Item looks the folder up by name.
    std::string SpecialFolder(const std::string& name) override;
    std::shared_ptr<Shortcut> CreateShortcut(const std::string& path) override;

private:
    LateBound shell_;
};

}  // namespace brackwell::win

#pragma once
// The Windows Script Host shell object as the component uses it: the user's
// desktop folder and shortcut files. Calls may fail with AutomationError.

#include <memory>
#include <string>

namespace brackwell {

class Shortcut {
public:
    virtual ~Shortcut() = default;
    virtual void SetTargetPath(const std::string& path) = 0;
    virtual void Save() = 0;  // writes the .lnk file
};

class ShellObject {
public:
    virtual ~ShellObject() = default;
    virtual std::string SpecialFolder(const std::string& name) = 0;  // "Desktop"
    virtual std::shared_ptr<Shortcut> CreateShortcut(const std::string& path) = 0;
};

}  // namespace brackwell

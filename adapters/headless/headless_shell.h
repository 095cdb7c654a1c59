#pragma once
// A shell object without a desktop: shortcuts are kept in memory, so a test
// sees which files would have been written and where they point.

#include <map>
#include <memory>
#include <string>

#include "host/shell.h"

namespace brackwell::headless {

class HeadlessShell final : public ShellObject, public std::enable_shared_from_this<HeadlessShell> {
public:
    std::string SpecialFolder(const std::string& name) override;
    std::shared_ptr<Shortcut> CreateShortcut(const std::string& path) override;

    // The desktop folder the shell reports (default "C:\Users\Benutzer\Desktop").
    void SetDesktop(std::string folder) { desktop_ = std::move(folder); }
    const std::string& Desktop() const { return desktop_; }
    // When false, saving a shortcut fails as on a read-only desktop.
    void SetWritable(bool writable) { writable_ = writable; }
    bool Writable() const { return writable_; }

    // Shortcut files saved so far: full path to target.
    const std::map<std::string, std::string>& SavedShortcuts() const { return saved_; }
    int SaveCount() const { return saveCount_; }

    void Store(const std::string& path, const std::string& target);

private:
    std::string desktop_ = "C:\\Users\\Benutzer\\Desktop";
    bool writable_ = true;
    std::map<std::string, std::string> saved_;
    int saveCount_ = 0;
};

}  // namespace brackwell::headless

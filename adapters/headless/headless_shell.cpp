#include "adapters/headless/headless_shell.h"

#include "host/automation_error.h"

namespace brackwell::headless {
namespace {

class HeadlessShortcut final : public Shortcut {
public:
    HeadlessShortcut(std::shared_ptr<HeadlessShell> shell, std::string path)
        : shell_(std::move(shell)), path_(std::move(path)) {}

    void SetTargetPath(const std::string& path) override { target_ = path; }
    void Save() override { shell_->Store(path_, target_); }

private:
    std::shared_ptr<HeadlessShell> shell_;
    std::string path_;
    std::string target_;
};

}  // namespace

std::string HeadlessShell::SpecialFolder(const std::string& name) {
    // The shell answers an empty text for folder names it does not know.
    return name == "Desktop" ? desktop_ : std::string();
}

std::shared_ptr<Shortcut> HeadlessShell::CreateShortcut(const std::string& path) {
    const bool isLink = path.size() > 4 && path.compare(path.size() - 4, 4, ".lnk") == 0;
    if (!isLink) Raise(err::kInvalidCall);
    return std::make_shared<HeadlessShortcut>(shared_from_this(), path);
}

void HeadlessShell::Store(const std::string& path, const std::string& target) {
    if (!writable_) Raise(70, "Zugriff verweigert");
    saved_[path] = target;
    ++saveCount_;
}

}  // namespace brackwell::headless

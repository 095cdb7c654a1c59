#pragma once
// The real Windows platform behind a test's own: every port goes to it, and
// a test's platform overrides only the ports it watches or stands in for.

#include <windows.h>

#include <memory>

#include "adapters/windows/platform/win_platform.h"

namespace brackwell::win::test {

class ForwardingPlatform : public Platform {
public:
    ForwardingPlatform(HINSTANCE instance, SettingsStore& settings) : real_(instance, settings) {}

    SettingsStore& Settings() override { return real_.Settings(); }
    UserInterface& Ui() override { return real_.Ui(); }
    WindowSystem& Windows() override { return real_.Windows(); }
    std::shared_ptr<PopupMenu> CreatePopupMenu() override { return real_.CreatePopupMenu(); }
    std::unique_ptr<NavFormWindow> CreateNavForm(const ToolbarDesign& bar, FormEvents& events) override {
        return real_.CreateNavForm(bar, events);
    }
    std::shared_ptr<ShellObject> CreateShell() override { return real_.CreateShell(); }
    std::unique_ptr<DialogWindow> CreateDialogWindow(const FormDesign& design, DialogEvents& events) override {
        return real_.CreateDialogWindow(design, events);
    }
    SystemServices& System() override { return real_.System(); }

protected:
    WinPlatform real_;
};

}  // namespace brackwell::win::test

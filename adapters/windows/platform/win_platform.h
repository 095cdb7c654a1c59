#pragma once
// Everything outside the component except the spreadsheet host, on Windows:
// settings store, message and input boxes, colour chooser, window
// functions, the popup menu, the pane form, the dialogs' windows, the shell
// object and the system services.

#include <windows.h>

#include <memory>

#include "adapters/windows/system/win_system_services.h"
#include "adapters/windows/ui/win_user_interface.h"
#include "adapters/windows/ui/win_window_system.h"
#include "host/platform.h"

namespace brackwell::win {

class WinPlatform final : public Platform {
public:
    // `instance`: the module that holds Brackwell's pictures and registers
    // its window classes (the DLL's own handle). The settings live in the
    // registry, where VB keeps GetSetting and SaveSetting values.
    explicit WinPlatform(HINSTANCE instance);
    // The same with another settings store, which must outlive the platform.
    WinPlatform(HINSTANCE instance, SettingsStore& settings);

    SettingsStore& Settings() override { return settings_; }
    UserInterface& Ui() override { return ui_; }
    WindowSystem& Windows() override { return windows_; }
    std::shared_ptr<PopupMenu> CreatePopupMenu() override;
    std::unique_ptr<NavFormWindow> CreateNavForm(const ToolbarDesign& bar, FormEvents& events) override;
    // A new "WScript.Shell" object for each call, as the desktop shortcut
    // creates and releases one each time.
    std::shared_ptr<ShellObject> CreateShell() override;
    std::unique_ptr<DialogWindow> CreateDialogWindow(const FormDesign& design, DialogEvents& events) override;
    // The version comes from the module `instance` names.
    SystemServices& System() override { return system_; }

private:
    HINSTANCE instance_;
    std::unique_ptr<SettingsStore> ownSettings_;  // the registry store, unless one was given
    SettingsStore& settings_;
    WinUserInterface ui_;
    WinWindowSystem windows_;
    WinSystemServices system_;
};

}  // namespace brackwell::win

#include "adapters/windows/platform/win_platform.h"

#include "adapters/windows/controls/popup_menu.h"
#include "adapters/windows/forms/dialog_window.h"
#include "adapters/windows/platform/nav_form.h"
#include "adapters/windows/settings/registry_settings_store.h"
#include "adapters/windows/shell/win_shell.h"

namespace brackwell::win {

WinPlatform::WinPlatform(HINSTANCE instance)
    : instance_(instance), ownSettings_(std::make_unique<RegistrySettingsStore>()), settings_(*ownSettings_),
      ui_(instance), system_(instance) {}

WinPlatform::WinPlatform(HINSTANCE instance, SettingsStore& settings)
    : instance_(instance), settings_(settings), ui_(instance), system_(instance) {}

std::shared_ptr<PopupMenu> WinPlatform::CreatePopupMenu() { return std::make_shared<WinPopupMenu>(instance_); }

std::unique_ptr<NavFormWindow> WinPlatform::CreateNavForm(const ToolbarDesign& bar, FormEvents& events) {
    return std::make_unique<WinNavForm>(instance_, bar, events);
}

std::shared_ptr<ShellObject> WinPlatform::CreateShell() { return std::make_shared<WinShell>(); }

std::unique_ptr<DialogWindow> WinPlatform::CreateDialogWindow(const FormDesign& design, DialogEvents& events) {
    return std::make_unique<WinDialogWindow>(instance_, design, events);
}

}  // namespace brackwell::win

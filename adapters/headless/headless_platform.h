#pragma once
// Everything outside the component except the spreadsheet host, without a
// screen: one headless user interface, window system and operating system,
// the settings store the caller chooses, and the popup menus, pane forms and
// dialogs the component creates, each kept reachable for a test to script
// and inspect.

#include <cstdint>
#include <memory>

#include "adapters/headless/headless_dialog.h"
#include "adapters/headless/headless_dialog_user.h"
#include "adapters/headless/headless_nav_form.h"
#include "adapters/headless/headless_popup_menu.h"
#include "adapters/headless/headless_shell.h"
#include "adapters/headless/headless_system.h"
#include "adapters/headless/headless_user_interface.h"
#include "adapters/headless/headless_window_system.h"
#include "host/platform.h"

namespace brackwell::headless {

class HeadlessPlatform final : public Platform {
public:
    HeadlessPlatform();  // with a MemorySettingsStore
    explicit HeadlessPlatform(std::unique_ptr<SettingsStore> settings);
    ~HeadlessPlatform() override;
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // Platform
    SettingsStore& Settings() override { return *settings_; }
    UserInterface& Ui() override { return ui_; }
    WindowSystem& Windows() override { return windows_; }
    std::shared_ptr<PopupMenu> CreatePopupMenu() override;
    // The form must be destroyed before the platform.
    std::unique_ptr<NavFormWindow> CreateNavForm(const ToolbarDesign& bar, FormEvents& events) override;
    // The one shell of this platform; fails while the shell is switched off.
    std::shared_ptr<ShellObject> CreateShell() override;
    // The dialog must be destroyed before the platform; its modal shows play
    // the scripts of DialogUser().
    std::unique_ptr<DialogWindow> CreateDialogWindow(const FormDesign& design, DialogEvents& events) override;
    HeadlessSystem& System() override { return system_; }  // with its scripting and inspection

    // The same services with their scripting and inspection.
    HeadlessUserInterface& HeadlessUi() { return ui_; }
    HeadlessWindowSystem& HeadlessWindows() { return windows_; }
    std::shared_ptr<HeadlessPopupMenu> LastPopupMenu() const { return lastPopupMenu_; }
    // The pane form created last, while it exists; null otherwise.
    HeadlessNavForm* NavForm() const { return *currentForm_; }
    std::int32_t NavFormsCreated() const { return navFormsCreated_; }
    HeadlessShell& Shell() { return *shell_; }
    void SetShellAvailable(bool available) { shellAvailable_ = available; }
    HeadlessDialogUser& DialogUser() { return dialogUser_; }

private:
    HeadlessWindowSystem windows_;
    HeadlessUserInterface ui_;
    std::unique_ptr<SettingsStore> settings_;
    std::shared_ptr<HeadlessPopupMenu> lastPopupMenu_;
    // Shared with the forms, which clear it when they go.
    std::shared_ptr<HeadlessNavForm*> currentForm_;
    std::int32_t navFormsCreated_ = 0;
    std::shared_ptr<HeadlessShell> shell_ = std::make_shared<HeadlessShell>();
    bool shellAvailable_ = true;
    HeadlessDialogUser dialogUser_;
    HeadlessSystem system_;
};

}  // namespace brackwell::headless

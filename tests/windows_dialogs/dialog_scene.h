#pragma once
// The dialogs on the real Windows platform, with one difference: the shell
// calls of the homepage are recorded, not made, so no browser starts under
// test. Settings live in memory; the component is the dialogs' caller.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/headless/memory_settings_store.h"
#include "adapters/windows/forms/dialog_window.h"
#include "adapters/windows/platform/win_platform.h"
#include "core/component.h"
#include "dialogs/modal_form.h"
#include "tests/windows_ui/ui_test_support.h"

namespace brackwell::win::test {

struct ShellCall {
    WindowHandle window;
    std::string operation;
    std::string file;
    std::int32_t showCommand;
};

class DialogPlatform final : public Platform, private SystemServices {
public:
    explicit DialogPlatform(SettingsStore& settings) : real_(Instance(), settings) {}

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
    SystemServices& System() override { return *this; }

    std::vector<ShellCall> shellCalls;
    std::vector<bool> pointerChanges;

private:
    Registry& SystemRegistry() override { return real_.System().SystemRegistry(); }
    std::intptr_t ShellExecuteFile(WindowHandle window, const std::string& operation, const std::string& file,
                                   const std::string&, const std::string&, std::int32_t showCommand) override {
        shellCalls.push_back({window, operation, file, showCommand});
        return 42;
    }
    void RunProgram(const std::string& path, std::int32_t style) override { real_.System().RunProgram(path, style); }
    bool FileExists(const std::string& path) override { return real_.System().FileExists(path); }
    void SetBusyPointer(bool busy) override {
        pointerChanges.push_back(busy);
        real_.System().SetBusyPointer(busy);
    }
    ComponentVersion Version() override { return real_.System().Version(); }

    WinPlatform real_;
};

struct DialogScene {
    headless::MemorySettingsStore settings;
    DialogPlatform platform{settings};
    Component component{platform};
};

// The real window behind a loaded form.
inline WinDialogWindow& WindowOf(ModalForm& form) { return dynamic_cast<WinDialogWindow&>(form.Window()); }

// Twips in pixels at the screen's resolution, as a dialog lays them out.
int Px(int twips);

// Writes the window's picture beside the test program and says where.
void WritePicture(HWND window, const std::wstring& name);

}  // namespace brackwell::win::test

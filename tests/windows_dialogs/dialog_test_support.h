#pragma once
// What the dialogs' Wine tests share. The dialogs run on the real Windows
// platform, with one difference: the homepage's shell calls are recorded,
// not made, so no browser starts under test. A user at the screen is a
// script on a thread of its own (DialogUserThread), acting while the test's
// thread sits in a dialog's modal loop.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "adapters/headless/memory_settings_store.h"
#include "adapters/windows/forms/dialog_window.h"
#include "adapters/windows/platform/win_platform.h"
#include "adapters/windows/ui/win_handles.h"
#include "core/component.h"
#include "dialogs/modal_form.h"
#include "tests/windows_ui/dialog_user_thread.h"
#include "tests/windows_ui/forwarding_platform.h"

namespace brackwell::win::test {

class DialogPlatform final : public ForwardingPlatform, private SystemServices {
public:
    explicit DialogPlatform(SettingsStore& settings) : ForwardingPlatform(::GetModuleHandleW(nullptr), settings) {}

    SystemServices& System() override { return *this; }

    std::vector<std::string> shellCalls;  // "window operation file show"

private:
    Registry& SystemRegistry() override { return real_.System().SystemRegistry(); }
    std::intptr_t ShellExecuteFile(WindowHandle window, const std::string& operation, const std::string& file,
                                   const std::string&, const std::string&, std::int32_t show) override {
        shellCalls.push_back(std::to_string(window) + " " + operation + " " + file + " " + std::to_string(show));
        return 42;
    }
    void RunProgram(const std::string& path, std::int32_t style) override { real_.System().RunProgram(path, style); }
    bool FileExists(const std::string& path) override { return real_.System().FileExists(path); }
    void SetBusyPointer(bool busy) override { real_.System().SetBusyPointer(busy); }
    ComponentVersion Version() override { return real_.System().Version(); }
    std::string UpperCase(const std::string& text) override { return real_.System().UpperCase(text); }
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
// Whether a control lies at (left, top) with that size, all in twips, in
// its parent's client area.
bool At(HWND control, int left, int top, int width = -1, int height = -1);
std::wstring TextOf(HWND window);
// Writes the window's picture beside the test program and says where.
void WritePicture(HWND window, const std::wstring& name);

}  // namespace brackwell::win::test

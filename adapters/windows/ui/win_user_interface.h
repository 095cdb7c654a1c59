#pragma once
// Message box, input box, colour chooser, beep and DoEvents on the Win32
// user interface.

#include <windows.h>

#include <cstdint>
#include <string>

#include "adapters/windows/ui/posted_tasks.h"
#include "host/platform.h"

namespace brackwell::win {

class WinUserInterface final : public UserInterface {
public:
    // `instance`: the module the input box dialog is created for.
    explicit WinUserInterface(HINSTANCE instance);

    // MessageBoxW owned by this thread's active window; `style` is passed on
    // (0, 48, 64: OK only, with no icon, the exclamation or the information icon).
    std::int32_t MsgBox(const std::string& prompt, std::int32_t style,
                        const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override;
    // Dispatches every message that is waiting in this thread's queue; the
    // embedded host's events and posted window messages run here.
    void DoEvents() override;
    // ChooseColorW with the choice's owner, colour and flags (CC_ANYCOLOR
    // added); the custom colours are handed in and written back.
    bool ChooseColorDialog(ColorChoice& choice) override;
    void PostTask(std::function<void()> task) override { posted_.Post(std::move(task)); }
    // Ends the thread's open menu and closes the thread's enabled dialogs
    // and message boxes as their close box does.
    void CancelModalUi() override;

private:
    HINSTANCE instance_;
    PostedTasks posted_;
};

}  // namespace brackwell::win

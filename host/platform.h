#pragma once
// The platform services the component calls besides the spreadsheet host and
// the controls: the per-user settings store, message and input boxes, the
// beep, processing of pending events, and the window functions the pane
// needs to dock itself into the host window.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/color.h"
#include "host/dialog_form.h"
#include "host/forms.h"
#include "host/popup_menu.h"
#include "host/shell.h"
#include "host/system.h"
#include "host/window_handle.h"

namespace brackwell {

// Values grouped by application, section and key, kept per user.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or `defaultValue` when the key is absent.
    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;
    virtual void SaveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
};

namespace msgbox {
inline constexpr std::int32_t kOkOnly = 0;
inline constexpr std::int32_t kExclamation = 48;
inline constexpr std::int32_t kInformation = 64;
inline constexpr std::int32_t kOk = 1;  // the answer of an OK button
}  // namespace msgbox

// The system colour chooser's arguments and results, as its CHOOSECOLOR
// structure carries them.
struct ColorChoice {
    WindowHandle owner = 0;                // 0: no owner
    Color rgbResult = 0;                   // in: the preselected colour (with CC_RGBINIT); out: the chosen one
    std::array<Color, 16>* customColors = nullptr;  // read and rewritten in place
    std::uint32_t flags = 0;               // CC_* bits
};

namespace cc {
inline constexpr std::uint32_t kRgbInit = 0x1;
inline constexpr std::uint32_t kFullOpen = 0x2;
inline constexpr std::uint32_t kAnyColor = 0x100;
}  // namespace cc

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Modal; OK only in every box the component shows. Returns the button pressed.
    virtual std::int32_t MsgBox(const std::string& prompt, std::int32_t style,
                                const std::string& title) = 0;
    // Modal, like VB's InputBox: the typed text, or empty text when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    virtual void Beep() = 0;
    // Lets pending window messages and host events run (VB's DoEvents).
    virtual void DoEvents() = 0;
    // The system colour chooser, modal: true when the user chose OK (the
    // colour is then in choice.rgbResult), false when cancelled.
    virtual bool ChooseColorDialog(ColorChoice& choice) = 0;
    // Runs `task` later from the host's message loop, after the message now
    // being handled (a short wait at the earliest); never inside this call.
    virtual void PostTask(std::function<void()> task) = 0;
    // Closes the component's open popup menus and modal dialogs as if the
    // user had cancelled them; their modal calls return soon after.
    virtual void CancelModalUi() = 0;
};

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The window functions, with the platform's own failure style: nothing is
// raised; a failing call returns 0 or an empty rectangle.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // The first child of `parent` of that class (and title, when given),
    // among the children after `after` (0: from the first), as FindWindowEx.
    virtual WindowHandle FindChild(WindowHandle parent, const std::string& className,
                                   const std::optional<std::string>& title, WindowHandle after = 0) = 0;
    virtual WindowRect GetWindowRect(WindowHandle window) = 0;  // screen pixels
    virtual WindowHandle SetParent(WindowHandle child, WindowHandle parent) = 0;
    virtual bool MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
                            std::int32_t width, std::int32_t height, bool repaint) = 0;
    // Freezes painting of `window`; 0 unfreezes.
    virtual bool LockWindowUpdate(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
};

// Everything outside the component except the spreadsheet host.
class Platform {
public:
    virtual ~Platform() = default;
    virtual SettingsStore& Settings() = 0;
    virtual UserInterface& Ui() = 0;
    virtual WindowSystem& Windows() = 0;
    virtual std::shared_ptr<PopupMenu> CreatePopupMenu() = 0;
    // Creates the pane form's window with its toolbar (drawn from `bar`) and
    // tree, hidden. `events` hears of resizing and of the window being closed.
    virtual std::unique_ptr<NavFormWindow> CreateNavForm(const ToolbarDesign& bar,
                                                         FormEvents& events) = 0;
    // The shell object ("WScript.Shell"); fails when the machine has none.
    virtual std::shared_ptr<ShellObject> CreateShell() = 0;
    // Creates a dialog's window from its design, hidden. `events` hears of
    // clicks on its controls and of the user closing it; the bar's clicks
    // come through the bar's own events.
    virtual std::unique_ptr<DialogWindow> CreateDialogWindow(const FormDesign& design, DialogEvents& events) = 0;
    virtual SystemServices& System() = 0;
};

}  // namespace brackwell

#pragma once
// A dialog's window without a screen, laid out from its design: a window in
// the headless window system (pixels from the design's twips, centred), its
// controls in memory with option buttons grouped by container, and its bar
// as a headless toolbar. A modal show plays the user's script for this
// dialog and returns once the dialog is hidden or destroyed.
//
// The window system and the dialog user must outlive the dialog.

#include <cstdint>
#include <memory>
#include <string>

#include "adapters/headless/headless_dialog_user.h"
#include "adapters/headless/headless_form_control.h"
#include "adapters/headless/headless_toolbar.h"
#include "adapters/headless/headless_window_system.h"
#include "adapters/shared/control_table.h"
#include "host/dialog_form.h"

namespace brackwell::headless {

class HeadlessDialog final : public DialogWindow {
public:
    static constexpr const char* kWindowClass = "ThunderFormDC";
    static constexpr Color kDialogBackground = 0x8000000F;  // the system's button face

    HeadlessDialog(HeadlessWindowSystem& windows, HeadlessDialogUser& user, const FormDesign& design,
                   DialogEvents& events);
    ~HeadlessDialog() override;

    // DialogWindow
    WindowHandle Hwnd() override { return hwnd_; }
    std::string Caption() override { return caption_; }
    void SetCaption(const std::string& caption) override;
    FormControl& Control(const std::string& name, std::int32_t index = -1) override;
    std::shared_ptr<Toolbar> Bar() override { return bar_; }
    // Fails with error 400 when shown already.
    void ShowModal(WindowHandle owner) override;
    void Hide() override;
    void Destroy() override;
    bool Visible() override { return shown_; }

    const FormDesign& Design() const { return design_; }
    HeadlessToolbar& BarControl() { return *bar_; }
    HeadlessFormControl& Headless(const std::string& name, std::int32_t index = -1);
    bool Destroyed() const { return hwnd_ == 0; }

private:
    void SelectInGroup(HeadlessFormControl& selected);
    DialogShowing View(WindowHandle owner);
    void Perform(const DialogScript::Action& action);

    HeadlessWindowSystem& windows_;
    HeadlessDialogUser& user_;
    FormDesign design_;
    DialogEvents& events_;
    std::shared_ptr<HeadlessToolbar> bar_;
    shared::ControlTable<HeadlessFormControl> controls_;
    std::string caption_;
    WindowHandle hwnd_ = 0;
    bool shown_ = false;
};

}  // namespace brackwell::headless

#pragma once
// One control of a dialog window on Win32: a static text, a radio button, a
// check box, an edit field or one of Brackwell's own boxes, created from its
// design. Its properties are read from and written to the real window.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "adapters/windows/forms/form_box.h"
#include "host/dialog_form.h"

namespace brackwell::win {

class WinFormControl final : public FormControl {
public:
    // `bounds` in the parent's client pixels; `background` what shows behind
    // the control (its container's colour). `stripTo` is the lower colour of
    // a picture strip's gradient.
    WinFormControl(HINSTANCE instance, HWND parent, const ControlDesign& design, const RECT& bounds, int id,
                   HFONT font, Color background, Color stripTo);
    ~WinFormControl() override;
    WinFormControl(const WinFormControl&) = delete;
    WinFormControl& operator=(const WinFormControl&) = delete;

    std::string Caption() override;
    void SetCaption(const std::string& caption) override;
    std::string Text() override;
    void SetText(const std::string& text) override;
    Color BackColor() override;
    void SetBackColor(Color color) override;
    std::int32_t BorderStyle() override;
    void SetBorderStyle(std::int32_t style) override;
    std::int32_t Value() override;
    void SetValue(std::int32_t value) override;

    const ControlDesign& Design() const { return design_; }
    HWND Handle() const;
    // The colour the form paints behind the control's text.
    Color Background() const { return background_; }
    bool TakesFocus() const;
    // A colour box that opens the colour chooser, named by `label` (FormBox).
    void SetChooserLabel(HWND label) {
        if (box_) box_->SetChooserLabel(label);
    }
    void SetDpi(int dpi) {  // what a box draws itself; the dialog places and sizes every control
        if (box_) box_->SetDpi(dpi);
    }

private:
    bool HasCaption() const;
    std::string WindowText() const;

    ControlDesign design_;
    HWND hwnd_ = nullptr;          // a system control; destroyed with the form
    std::unique_ptr<FormBox> box_;  // or one of ours
    Color background_;
};

}  // namespace brackwell::win

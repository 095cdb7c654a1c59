#pragma once
// The modal dialogs' windows. Each dialog's window is laid out from its
// stored design: the form's caption, size, colours and font, a button bar
// across the top, and its controls with their twip geometry. The platform
// makes the window and its controls from the design; the dialog's logic
// (load, clicks, unload) lives with each dialog in dialogs/ and reaches the
// controls through this port by name and index, as a VB form's code does.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/color.h"
#include "host/toolbar.h"
#include "host/window_handle.h"

namespace brackwell {

enum class ControlKind {
    Label,         // static text: caption; clickable when `clickable`
    OptionButton,  // a radio button, grouped with the others of its container
    CheckBox,
    TextBox,       // single line; `password` shows every character as "*"
    ColorBox,      // a box filled with its back colour; border style 0 none, 1 fixed single; clickable
    Picture,       // a decorative picture strip (image number `image`)
    Container,     // a borderless box that holds option buttons and makes them one group
    Line,          // from (left, top) to (left + width, top + height), in foreColor
};

struct ControlFont {
    std::string face = "Verdana";
    double size = 8.25;  // points
    bool bold = false;
    bool underline = false;
};

// One control of a form. Positions and sizes are twips, relative to the
// container's inner area (the form's client area below nothing: the bar is a
// control of its own at the top).
struct ControlDesign {
    std::string name;            // "picCol", "txtPwd", "lblURL"
    std::int32_t index = -1;     // place in a control array; -1 for a single control
    ControlKind kind = ControlKind::Label;
    std::string caption;         // label, option button and check box text; a text box's first text
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::string container;       // the Container control holding it; empty: the form
    std::optional<ControlFont> font;  // empty: the form's font
    Color foreColor = kSystemWindowText;
    std::optional<Color> backColor;   // empty: the container's (the form's) background
    std::int32_t borderStyle = 0;     // 0 none, 1 fixed single
    bool password = false;            // text box: shows "*" for every character
    bool wrap = false;                // the caption may wrap onto further lines
    bool clickable = false;           // raises ControlClick; shows the hand pointer
    std::int32_t image = 0;           // Picture: image number of the picture set
    // ColorBox: a button that opens the colour chooser (not one colour of a
    // set to choose from), named for screen readers by this label beside it.
    std::string chooserLabel;
};

enum class FormBorder { FixedSingle, FixedDialog };
enum class FormPosition { CenterScreen, CenterOwner };

struct FormDesign {
    std::string name;       // "frmPwd": how tests and scripts recognise the form
    std::string caption;    // the design caption; the logic may replace it
    std::int32_t clientWidth = 0;   // twips
    std::int32_t clientHeight = 0;  // twips
    std::optional<Color> backColor;  // empty: the system's dialog background
    FormBorder border = FormBorder::FixedSingle;
    FormPosition position = FormPosition::CenterScreen;
    ControlFont font;
    ToolbarDesign bar;             // clbMain, at (0, 0), as wide as the form
    std::vector<ControlDesign> controls;
};

// A control of a shown form, with the properties the dialogs read and write.
// Members that make no sense for its kind change nothing and read as empty.
class FormControl {
public:
    virtual ~FormControl() = default;
    virtual std::string Caption() = 0;  // labels, option buttons, check boxes
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Text() = 0;     // text boxes
    virtual void SetText(const std::string& text) = 0;
    virtual Color BackColor() = 0;
    virtual void SetBackColor(Color color) = 0;
    virtual std::int32_t BorderStyle() = 0;
    virtual void SetBorderStyle(std::int32_t style) = 0;
    // Option buttons: 1 selected, 0 not (selecting one clears the others of
    // its group); check boxes: 1 checked, 0 unchecked.
    virtual std::int32_t Value() = 0;
    virtual void SetValue(std::int32_t value) = 0;
};

// What the form's window reports to the dialog's logic.
class DialogEvents {
public:
    // A click on a clickable control (colour boxes, clickable labels).
    virtual void ControlClick(const std::string& name, std::int32_t index) = 0;
    // The user closed the window (close box, Alt+F4, Escape): the logic
    // unloads the form.
    virtual void CloseRequested() = 0;

protected:
    ~DialogEvents() = default;
};

class DialogWindow {
public:
    virtual ~DialogWindow() = default;  // destroys the window if it still exists
    virtual WindowHandle Hwnd() = 0;     // 0 once destroyed
    virtual std::string Caption() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // A control by name and array index (-1 for a single control); an
    // unknown one fails with error 340 (control array element does not exist)
    // or 9 for an unknown name.
    virtual FormControl& Control(const std::string& name, std::int32_t index = -1) = 0;
    virtual std::shared_ptr<Toolbar> Bar() = 0;
    // Shows the window modally, owned by `owner` (0: none), and returns when
    // it is hidden or destroyed. Fails when it is already shown.
    virtual void ShowModal(WindowHandle owner) = 0;
    virtual void Hide() = 0;     // ends a modal show; the window and its values stay
    virtual void Destroy() = 0;  // ends a modal show and destroys the window; this object stays
    virtual bool Visible() = 0;
};

}  // namespace brackwell

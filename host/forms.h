#pragma once
// The platform side of a form: its window and the controls on it. The form's
// logic (load, unload, resize handling) lives with the form in the core.

#include <cstdint>
#include <memory>

#include "host/toolbar.h"
#include "host/tree_view.h"
#include "host/window_handle.h"

namespace brackwell {

// Form layouts are in twips; at 96 dots per inch a pixel is 15 twips.
inline constexpr std::int32_t kTwipsPerPixel = 15;

class FormEvents {
public:
    virtual void Form_Resize() = 0;
    virtual void Form_Unload() = 0;  // the window is being closed from outside

protected:
    ~FormEvents() = default;
};

class FormWindow {
public:
    virtual ~FormWindow() = default;  // destroys the window
    virtual WindowHandle Hwnd() = 0;
    virtual std::int32_t Height() = 0;  // outer height, pixels
    virtual void SetHeight(std::int32_t height) = 0;
    virtual std::int32_t ScaleWidth() = 0;   // inner width, twips
    virtual std::int32_t ScaleHeight() = 0;  // inner height, twips
    virtual void Show() = 0;  // modeless
    virtual void Hide() = 0;
    virtual void ZOrder(std::int32_t position) = 0;  // 0: in front of its siblings
};

// The pane form `frmNav`: toolbar `clbMain` above tree `mTree`.
class NavFormWindow : public FormWindow {
public:
    virtual std::shared_ptr<TreeView> Tree() = 0;
    virtual std::shared_ptr<Toolbar> Bar() = 0;
};

}  // namespace brackwell

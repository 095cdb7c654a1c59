#pragma once
// The boxes of a dialog, as a small window class of Brackwell's own: a
// colour box filled with its colour (framed when its border style is 1, so
// that a marked colour stands out whatever the colour) that reports clicks,
// a container that holds option buttons and passes their notifications on to
// the form, a decorative picture strip, and a line one pixel thick.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "adapters/windows/ui/win_handles.h"
#include "host/color.h"

namespace brackwell::win {

class BoxAccessibility;

class FormBox {
public:
    enum class Kind { ColorBox, Container, Picture, Line };

    // Creates the box as a child of `parent` at `bounds` (parent's client
    // pixels) with control id `id`. A picture strip shows `image` of the
    // picture set of `instance` over a gradient from `fill` to `fillTo`.
    FormBox(HINSTANCE instance, HWND parent, const RECT& bounds, int id, Kind kind, Color fill, Color fillTo = 0,
            int image = 0);
    ~FormBox();  // destroys the window unless its parent did
    FormBox(const FormBox&) = delete;
    FormBox& operator=(const FormBox&) = delete;

    HWND Handle() const { return hwnd_; }
    Color Fill() const { return fill_; }
    void SetFill(Color fill);
    bool Framed() const;
    // WS_BORDER and, inside it, a dark ring with a light line: the box
    // keeps its size, its colour shrinks.
    void SetFramed(bool framed);
    // The screen's DPI changed: the strip's picture comes in that DPI's
    // size, the frame and the margins scale with it.
    void SetDpi(int dpi);
    // A colour box's click, once the messages waiting now have run (a
    // screen reader's default action).
    void PostClick();
    // Makes a colour box a button that opens the colour chooser, named for
    // screen readers by `label`'s text; null while it is one of a set.
    void SetChooserLabel(HWND label) { chooserLabel_ = label; }
    HWND ChooserLabel() const { return chooserLabel_; }

    // Window procedure (ObjectWindowProc).
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void WindowDestroyed();

private:
    void Paint(HDC dc, const RECT& client) const;
    void ReportClick();
    // A colour box's keys, focus and screen readers; false: not handled.
    bool ColorBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HINSTANCE instance_;
    Kind kind_;
    Color fill_;
    Color fillTo_;
    int image_;
    int dpi_;
    BitmapHandle picture_;
    int id_;
    HWND hwnd_ = nullptr;
    bool pressed_ = false;
    HWND chooserLabel_ = nullptr;
    std::unique_ptr<BoxAccessibility> accessibility_;  // made when a reader first asks
};

}  // namespace brackwell::win

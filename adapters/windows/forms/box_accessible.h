#pragma once
// What a screen reader finds in a colour box. One of a set to choose from
// (the picker's) is a radio button named by its colour ("RGB(255, 0, 0)"),
// checked and selected while it is the marked one, with the default action
// "Auswählen". One that opens the colour chooser (the options dialog's) is
// a push button named by the label beside it ("Tabellenblätter"), its colour
// as its value, with the default action "Drücken". Either action clicks the
// box as the mouse does. An object a reader keeps after the box has gone
// answers CO_E_OBJNOTCONNECTED.

#include <windows.h>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

class FormBox;
class BoxAccessible;

// Owned by the box; the one object every reader of the box shares.
class BoxAccessibility {
public:
    explicit BoxAccessibility(FormBox& box);
    ~BoxAccessibility();
    BoxAccessibility(const BoxAccessibility&) = delete;
    BoxAccessibility& operator=(const BoxAccessibility&) = delete;

    LRESULT Answer(WPARAM wParam, LPARAM lParam);  // to WM_GETOBJECT
    void Disconnect();                             // the box or its window goes

private:
    FormBox& box_;
    ComPtr<BoxAccessible> object_;
};

}  // namespace brackwell::win

#pragma once
// What a screen reader finds in a bar. The bar is a tool bar whose buttons
// are its children 1..n in their order: a push button, a drop-down button
// or a separator, named by its text or else by its tooltip's title and text
// ("Löschen: ... ausgewähltes Tabellenblatt löschen!"), described by its
// tooltip when it has a text too, unavailable while disabled, focused where
// the keyboard marks it, pressed while held down or while its menu shows.
// The default action ("Drücken") clicks the button as the mouse does. A
// drop-down button is also an object of its own whose children are its
// menu's items, each with the action "Ausführen" that chooses it.
//
// The objects a reader holds outlive the bar safely: once the bar or its
// window is gone they answer CO_E_OBJNOTCONNECTED.

#include <windows.h>

#include <vector>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::win {

class WinToolbar;
class BarAccessible;

// Owned by the bar; the one root object every reader of the bar shares.
class ToolbarAccessibility {
public:
    explicit ToolbarAccessibility(WinToolbar& bar);
    ~ToolbarAccessibility();
    ToolbarAccessibility(const ToolbarAccessibility&) = delete;
    ToolbarAccessibility& operator=(const ToolbarAccessibility&) = delete;

    // The answer to WM_GETOBJECT.
    LRESULT Answer(WPARAM wParam, LPARAM lParam);
    // The bar or its window goes: every object handed out answers as gone.
    void Disconnect();

private:
    WinToolbar& bar_;
    ComPtr<BarAccessible> root_;
};

}  // namespace brackwell::win

#include "adapters/windows/addin/pane_keys.h"

namespace brackwell::win::addin {
namespace {

bool Held(int key) noexcept { return ::GetKeyState(key) < 0; }

// Ctrl alone is the host's shortcut; with Alt it is AltGr, which types.
bool ShortcutHeld() noexcept { return Held(VK_CONTROL) && !Held(VK_MENU); }

bool IsTypingKey(WPARAM key) noexcept {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') || (key >= VK_NUMPAD0 && key <= VK_DIVIDE) ||
           (key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_8) || key == VK_OEM_102;
}

bool IsNavigationKey(WPARAM key) noexcept {
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_BACK:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_APPS:
    case VK_F4: return true;
    default: return false;
    }
}

}  // namespace

bool IsPaneKey(const MSG& message) noexcept {
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        return !ShortcutHeld() && (IsNavigationKey(message.wParam) || IsTypingKey(message.wParam));
    case WM_CHAR:
    case WM_DEADCHAR: return !ShortcutHeld();
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Shift+F10 opens the node's menu, Alt+Down a drop-down button's.
        return (message.wParam == VK_F10 && Held(VK_SHIFT)) || message.wParam == VK_DOWN;
    default: return false;
    }
}

}  // namespace brackwell::win::addin

#include "apps/demo/xlmain_class.h"

#include "adapters/windows/ui/window_class.h"

namespace brackwell::demo {

void EnsureXlMainClass(HINSTANCE instance) {
    win::EnsureWindowClass(instance, kXlMainClass, win::ObjectWindowProc<XlMainWindow>,
                           ::GetSysColorBrush(COLOR_APPWORKSPACE));
}

}  // namespace brackwell::demo

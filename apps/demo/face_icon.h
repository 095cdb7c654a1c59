#pragma once
// The host's button faces the demo draws, kept as .ico files in the demo's
// resources (RCDATA "FACE<n>"): as icon resources their images would share
// their numbers with the component's pictures and one would be lost at link
// time.

#include <windows.h>

#include "adapters/windows/ui/win_handles.h"

namespace brackwell::demo {

// The face's icon at `size` pixels (the image nearest that size), or null
// when the demo has no such face.
win::IconHandle LoadFaceIcon(HINSTANCE module, int faceId, int size);

}  // namespace brackwell::demo

#pragma once
// The ActiveX container the stand-in's task panes host their controls in: not
// the project's own, but Wine's ATL (atl100.dll). AtlAxWinInit registers the
// window class "AtlAxWin100"; a window of that class titled with a ProgID or
// CLSID creates that control when the window is created (CoCreateInstance,
// IPersistStreamInit::InitNew when offered, then the container's client site,
// SetExtent and in-place activation in the window), resizes it with the
// window and closes it when the window is destroyed. AtlAxGetControl gives
// the control back. Wine's container neither routes keys to the control nor
// keeps the active object it is told of; the host does that (key_routing.h).

#include <windows.h>

#include <string>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::office {

inline constexpr wchar_t kAtlContainerClass[] = L"AtlAxWin100";

// Loads atl100.dll and registers its window class, once per process; false
// when that is not possible.
bool AtlContainerReady();

// A child of `parent` (hidden until the parent shows) holding the control
// `progId`, or null when no window could be made. A control that cannot be
// created leaves the window empty: AtlControlOf then gives nothing.
HWND CreateAtlContainerWindow(HWND parent, const std::wstring& progId, const RECT& place);

// The control in a container window; empty when it holds none.
win::ComPtr<IUnknown> AtlControlOf(HWND container);

}  // namespace brackwell::office

#pragma once
// The values one loaded component shares among all its code: the user
// settings, the host's version, the shared popup menu and the pane's windows.
// The DLL keeps one for the process; tests make one per case.

#include <cstdint>
#include <memory>

#include "core/settings.h"
#include "host/platform.h"
#include "host/popup_menu.h"
#include "host/window_handle.h"

namespace brackwell {

class FrmNav;
class FrmPwd;
class Wayfinder;

struct Component {
    explicit Component(Platform& platform);
    ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    Platform& platform;

    Settings settings;                                  // loaded by each new navigator
    std::int32_t HostVersion = 0;                       // major version of the attached host
    std::shared_ptr<brackwell::PopupMenu> PopupMenu;    // shared by every menu of the pane

    WindowHandle DockHwnd = 0;  // the host's dock window the pane lives in
    WindowHandle PaneHwnd = 0;  // the pane form's window
    FrmNav* NavForm = nullptr;  // the pane form while it is loaded

    FrmPwd* ActivePwdForm = nullptr;  // the password dialog while it is loaded

    // The navigator whose pane this Excel shows: when the host-side module
    // and the COM add-in both start one, only the first shows the pane.
    Wayfinder* PaneOwner = nullptr;
    // How many calls from outside (host events, control events, the add-in's
    // callbacks) are running in the component now; see ComponentEntry.
    int Entered = 0;

    // The pane form's one instance, created on first use.
    FrmNav& frmNav();

private:
    std::unique_ptr<FrmNav> frmNav_;
};

// Counts a call from outside into the component while it runs: a modal menu
// or dialog inside it lets the host run further calls, and whatever would
// destroy what such a call still uses waits until none is left.
class ComponentEntry {
public:
    explicit ComponentEntry(Component& component) noexcept : component_(component) { ++component_.Entered; }
    ~ComponentEntry() { --component_.Entered; }
    ComponentEntry(const ComponentEntry&) = delete;
    ComponentEntry& operator=(const ComponentEntry&) = delete;

private:
    Component& component_;
};

}  // namespace brackwell

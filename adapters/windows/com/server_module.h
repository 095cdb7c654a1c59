#pragma once
// What the loaded DLL keeps for the whole process: its own module handle,
// the count of living objects and server locks that decides whether it may
// be unloaded, and the one Component all navigators share (settings, popup
// menu, pane values), over one WinPlatform.

#include <windows.h>

#include "core/component.h"

namespace brackwell::win::server {

void SetModule(HINSTANCE module) noexcept;
HINSTANCE Module() noexcept;

// Counts its owner (a navigator or class factory) as alive.
class LiveObject {
public:
    LiveObject() noexcept;
    LiveObject(const LiveObject&) = delete;
    LiveObject& operator=(const LiveObject&) = delete;
    ~LiveObject();
};

// IClassFactory::LockServer.
void Lock() noexcept;
void Unlock() noexcept;

// True when no object and no lock is alive. Then the shared component is
// released too (see DllCanUnloadNow).
bool PrepareUnload() noexcept;

// The process's component, created with the first navigator.
Component& SharedComponent();

// At FreeLibrary: releases the component if PrepareUnload has not.
void ReleaseSharedComponent() noexcept;

}  // namespace brackwell::win::server

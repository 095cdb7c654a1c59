#pragma once
// The navigator as the host side's module holds it: an object made from its
// ProgID by COM (CreateObject), called late through IDispatch by member name.

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "adapters/windows/common/com_ptr.h"

namespace brackwell::demo {

// What to do when the class cannot be made: it is not registered for the user.
std::wstring RegistrationAdvice(const std::wstring& progId);

class NavigatorClient {
public:
    NavigatorClient() = default;
    // An object already made.
    explicit NavigatorClient(win::ComPtr<IDispatch> object) : object_(std::move(object)) {}

    // CLSIDFromProgID and CoCreateInstance. Throws AutomationError when the
    // class is unknown or cannot be created; the text says how to register it.
    static NavigatorClient Create(const std::wstring& progId);

    // Set nav.mExcel = application (a reference assignment, as VB's Set).
    void SetHost(IDispatch* application) const;
    // A member without arguments: CreateNavBar, SizeOn, UpdateTree, DelNavBar.
    void Call(const wchar_t* member) const;

    explicit operator bool() const noexcept { return static_cast<bool>(object_); }
    void Release() noexcept { object_.Reset(); }

private:
    void Invoke(const wchar_t* member, WORD flags, DISPPARAMS& params) const;

    win::ComPtr<IDispatch> object_;
};

}  // namespace brackwell::demo

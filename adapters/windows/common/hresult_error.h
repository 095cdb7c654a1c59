#pragma once
// HRESULT and EXCEPINFO on one side, AutomationError (VB's Err.Number and
// Err.Description) on the other.
//
// Client side: a host error arrives as DISP_E_EXCEPTION with an EXCEPINFO. Its
// scode 0x800Axxxx is VB error xxxx (0x800A03EC is 1004); the standard
// dispatch failures become the numbers VB shows for them (an unknown member
// 438, a type mismatch 13, a wrong argument count 450, ...); any other code
// stays the HRESULT read as a signed 32-bit number (0x800401A8 is
// -2147221080), as VB's Err.Number shows it.
//
// Server side, the reverse: numbers 1..65535 travel as 0x800A0000 | number,
// any other number as itself.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "host/automation_error.h"

namespace brackwell::win {

// The VB error number for a failure code.
std::int32_t NumberFromScode(HRESULT scode) noexcept;

// The failure code that carries a VB error number.
HRESULT ScodeFromNumber(std::int32_t number) noexcept;

// A failure code for returning from a COM method: the number's code when that
// is a failure, E_FAIL otherwise (a number 0 or above 65535 would read as
// success).
HRESULT FailureFromNumber(std::int32_t number) noexcept;

// The error a failed call without exception information means.
AutomationError ErrorFromHresult(HRESULT hr);

// The error an EXCEPINFO describes; runs the deferred fill-in when the server
// left one. Does not free the EXCEPINFO's texts (ExcepInfo does).
AutomationError ErrorFromExcepInfo(EXCEPINFO& info);

// Fills an EXCEPINFO for `error` (the caller frees its texts).
void FillExcepInfo(EXCEPINFO& info, const AutomationError& error, std::wstring_view source);

// Throws the matching AutomationError when `hr` failed.
void ThrowIfFailed(HRESULT hr);

// Owner of the texts of one EXCEPINFO.
class ExcepInfo {
public:
    ExcepInfo() noexcept;
    ExcepInfo(const ExcepInfo&) = delete;
    ExcepInfo& operator=(const ExcepInfo&) = delete;
    ~ExcepInfo();

    EXCEPINFO* Receive() noexcept;  // frees earlier texts and clears
    EXCEPINFO& Get() noexcept { return info_; }

private:
    void Clear() noexcept;
    EXCEPINFO info_;
};

}  // namespace brackwell::win

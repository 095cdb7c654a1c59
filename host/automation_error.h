#pragma once
// The one error type that crosses every port: a failed call as a VB caller
// sees it, with Err.Number and Err.Description. Adapters turn their platform's
// failures (HRESULT and EXCEPINFO, a refused host operation) into this.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace brackwell {

class AutomationError : public std::runtime_error {
public:
    AutomationError(std::int32_t number, std::string description);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }

private:
    std::int32_t number_;
    std::string description_;
};

// Error numbers the component and its adapters raise themselves; the texts are
// those of a German VB runtime and host.
namespace err {
inline constexpr std::int32_t kInvalidCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kNoSuchControlElement = 340;  // control array element does not exist
inline constexpr std::int32_t kFormAlreadyShown = 400;      // shown already, cannot be shown modally
inline constexpr std::int32_t kNotSupported = 438;
inline constexpr std::int32_t kHost = 1004;            // the host's "application-defined" error
inline constexpr std::int32_t kElementNotFound = 35601; // tree: no node with that key
inline constexpr std::int32_t kKeyNotUnique = 35602;    // tree: key already used
inline constexpr std::int32_t kInvalidKey = 35603;      // tree: a key made only of digits
inline constexpr std::int32_t kDisconnected = -2147221080; // 0x800401A8: object of a closed workbook or deleted sheet
}  // namespace err

// The standard description of one of the numbers above ("" for others).
std::string StandardDescription(std::int32_t number);

// Throws AutomationError with the standard description of `number`.
[[noreturn]] void Raise(std::int32_t number);
[[noreturn]] void Raise(std::int32_t number, std::string description);

}  // namespace brackwell

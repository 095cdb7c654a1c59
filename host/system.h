#pragma once
// Operating-system services: the registry (read only, the Win32 calls' own
// failure style: a status code, nothing raised), starting programs and
// documents, the component's own version, and text in capitals as the
// user's language writes them.

#include <cstdint>
#include <string>
#include <vector>

#include "host/window_handle.h"

namespace brackwell {

namespace reg {
inline constexpr std::uintptr_t kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr std::uintptr_t kCurrentUser = 0x80000001;   // HKEY_CURRENT_USER
inline constexpr std::uint32_t kTypeString = 1;              // REG_SZ
inline constexpr std::uint32_t kTypeExpandString = 2;        // REG_EXPAND_SZ
inline constexpr std::uint32_t kTypeBinary = 3;              // REG_BINARY
inline constexpr std::uint32_t kTypeDword = 4;               // REG_DWORD
inline constexpr long kSuccess = 0;                          // ERROR_SUCCESS
inline constexpr long kFileNotFound = 2;                     // ERROR_FILE_NOT_FOUND
inline constexpr long kMoreData = 234;                       // ERROR_MORE_DATA
}  // namespace reg

using RegistryKey = std::uintptr_t;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens `path` under `root` (a predefined key, reg::kLocalMachine ...)
    // with the access mask given; reg::kSuccess and the key, or the
    // system's error code.
    virtual long OpenKey(std::uintptr_t root, const std::string& path, std::uint32_t access,
                         RegistryKey& key) = 0;
    // Reads value `name` into a buffer of `bufferSize` bytes: its type and
    // its data as stored (text values as UTF-16LE with their closing NUL).
    // A value longer than the buffer gives reg::kMoreData.
    virtual long QueryValue(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                            std::uint32_t& type, std::vector<std::uint8_t>& data) = 0;
    virtual long CloseKey(RegistryKey key) = 0;
};

struct ComponentVersion {
    std::int32_t major = 0;
    std::int32_t minor = 0;
    std::int32_t revision = 0;
};

namespace show {
inline constexpr std::int32_t kNormalFocus = 1;  // vbNormalFocus / SW_SHOWNORMAL
inline constexpr std::int32_t kMaximized = 3;    // SW_SHOWMAXIMIZED
}  // namespace show

class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual Registry& SystemRegistry() = 0;
    // ShellExecute: opens `file` with `operation` ("Open"); the system's
    // result (above 32 on success), never raised.
    virtual std::intptr_t ShellExecuteFile(WindowHandle window, const std::string& operation,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, std::int32_t showCommand) = 0;
    // Starts a program as VB's Shell does and does not wait for it; fails
    // with AutomationError 53 (file not found) when it cannot be started.
    virtual void RunProgram(const std::string& path, std::int32_t windowStyle) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The mouse pointer over the whole screen: the hourglass while busy.
    virtual void SetBusyPointer(bool busy) = 0;
    // The component's own version, as its version resource gives it.
    virtual ComponentVersion Version() = 0;
    // Every letter in capitals by the system's case mapping for the user's
    // language (Greek, Cyrillic and Latin letters alike); one letter gives
    // one letter, so ß stays ß.
    virtual std::string UpperCase(const std::string& text) = 0;
};

}  // namespace brackwell

#pragma once
// How many facade objects are alive in the process. A test releases
// everything it made and expects the count back where it started; the
// server's DllCanUnloadNow asks the same question.

#include <cstdint>

namespace brackwell::win {

std::int64_t LiveFacadeObjects() noexcept;

// Counts its owner as alive from construction to destruction.
class LiveObjectToken {
public:
    LiveObjectToken() noexcept;
    LiveObjectToken(const LiveObjectToken&) = delete;
    LiveObjectToken& operator=(const LiveObjectToken&) = delete;
    ~LiveObjectToken();
};

}  // namespace brackwell::win

#include "excel_standin/facade/live_objects.h"

#include <atomic>

namespace brackwell::win {

namespace {
std::atomic<std::int64_t> liveObjects{0};
}

std::int64_t LiveFacadeObjects() noexcept { return liveObjects.load(); }

LiveObjectToken::LiveObjectToken() noexcept { ++liveObjects; }

LiveObjectToken::~LiveObjectToken() { --liveObjects; }

}  // namespace brackwell::win

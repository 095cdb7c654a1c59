// The system's case mapping behind the name-already-used message: Greek and
// Cyrillic letters in capitals as the user's language writes them, ß kept.

#include <windows.h>

#include <gtest/gtest.h>

#include "adapters/windows/system/win_system_services.h"

namespace brackwell::win {
namespace {

TEST(WinSystemServices, UpperCasesGreekAndCyrillicAsTheSystemDoes) {
    WinSystemServices system(::GetModuleHandleW(nullptr));
    EXPECT_EQ(system.UpperCase("Ωμέγα привет straße"), "ΩΜΈΓΑ ПРИВЕТ STRAßE");
}

}  // namespace
}  // namespace brackwell::win

// The navigator reached as the host-side module reaches it, by ProgID: a
// class that is not registered is refused with the way to register it. (The
// calls themselves are proven with the real DLL by the demo's smoke run.)

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "apps/demo/navigator_client.h"
#include "host/automation_error.h"

namespace brackwell::demo {
namespace {

// The AutomationError `call` raised; number 0 when it raised none.
AutomationError ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return e;
    }
    return AutomationError(0, "");
}

TEST(NavigatorClient, AnUnregisteredClassIsRefusedWithTheWayToRegisterIt) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    const AutomationError refused = ErrorOf([] { NavigatorClient::Create(L"Brackwell.NichtRegistriert"); });
    ::OleUninitialize();
    EXPECT_EQ(refused.Number(), 429);
    EXPECT_NE(refused.Description().find("\"Brackwell.NichtRegistriert\""), std::string::npos);
    EXPECT_NE(refused.Description().find("regsvr32 /n /i:user brackwell.dll"), std::string::npos);
}

}  // namespace
}  // namespace brackwell::demo

#pragma once
// A component on the headless platform, whose user acts in the dialogs as
// each test scripts, and helpers that read what the user saw.

#include <gtest/gtest.h>

#include <string>

#include "adapters/headless/headless_platform.h"
#include "core/component.h"

namespace brackwell::testing {

class DialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& mistake : User().ScriptErrors()) ADD_FAILURE() << "script: " << mistake;
    }

    headless::HeadlessDialogUser& User() { return platform.DialogUser(); }
    // The user's actions at the next showing of `form`.
    headless::DialogScript& Next(const std::string& form) { return User().Next(form); }
    const headless::DialogShowing& Shown() { return User().LastShowing(); }
    const std::vector<headless::MessageBoxShown>& Messages() { return platform.HeadlessUi().MessageBoxes(); }

    headless::HeadlessPlatform platform;
    Component component{platform};
};

}  // namespace brackwell::testing

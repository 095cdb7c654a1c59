// What every dialog inherits: a failure a handler keeps for the caller ends
// the show and reaches the caller, never the window; lookups fail as a VB
// form's do; a form gone without an unload leaves no reference; a script the
// user cannot follow is reported.

#include <gtest/gtest.h>

#include "adapters/headless/memory_settings_store.h"
#include "dialogs/frm_col_index.h"
#include "dialogs/frm_options.h"
#include "dialogs/frm_pwd.h"
#include "host/automation_error.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

using ModalFormTest = DialogTest;

// The options' OK with a store that refuses the write: the dialog unloads
// all the same, and the modal show hands the store's failure to its caller
// once the window is gone. A second show while one runs fails.
TEST_F(ModalFormTest, AFailureKeptForTheCallerEndsTheShowAndReachesTheCaller) {
    static_cast<headless::MemorySettingsStore&>(platform.Settings()).RefuseWrites(true);
    std::int32_t nestedShowError = 0;
    FrmOptions options(component);
    Next("frmOptions")
        .Click("optDraging", 3)
        .Look([&](headless::HeadlessDialog&) {
            try {
                options.ShowModal();
            } catch (const AutomationError& e) {
                nestedShowError = e.Number();
            }
        })
        .Press("mnuOk")
        .Press("mnuCancel");
    std::int32_t showError = 0;
    try {
        options.ShowModal();
    } catch (const AutomationError& e) {
        showError = e.Number();
    }
    EXPECT_EQ(showError, err::kInvalidCall);
    EXPECT_EQ(nestedShowError, err::kFormAlreadyShown);
    EXPECT_EQ(User().TakeScriptErrors().size(), 1u) << "no dialog left for Abbrechen";
    EXPECT_TRUE(platform.HeadlessWindows().Children(0).empty());
    EXPECT_EQ(component.settings.Drag, 3) << "the variables change before the store is written";
}

TEST_F(ModalFormTest, LookupsFailAsInVbAndAnUnloadedFormHasNoValues) {
    FrmColIndex picker(component);
    picker.Load();
    picker.Tag = "3";
    std::string errors;
    for (auto [name, index] : {std::pair{"picCol", 57}, {"picCol", -1}, {"picColor", 1}}) {
        try {
            picker.Control(name, index);
        } catch (const AutomationError& e) {
            errors += std::to_string(e.Number()) + " ";
        }
    }
    EXPECT_EQ(errors, "340 340 9 ");
    picker.Unload();
    EXPECT_EQ(picker.Tag, "");
    EXPECT_THROW(picker.Window(), AutomationError);

    Next("frmColIndex").Click("picCol", 99).Press("mnuNothing").Press("mnuCancel").Press("mnuCancel");
    picker.ShowModal();  // loads it again
    EXPECT_EQ(User().TakeScriptErrors().size(), 3u) << "no box 99, no such button, gone before the last press";

    {
        FrmPwd gone(component);
        gone.Load();
    }
    EXPECT_EQ(component.ActivePwdForm, nullptr) << "a form that goes without an unload leaves no reference";
}

}  // namespace
}  // namespace brackwell::testing

// What every dialog inherits: a failing handler is skipped and the dialog
// stays usable, nothing escapes to the caller, lookups fail as a VB form's
// do, and a script the user cannot follow is reported.

#include <gtest/gtest.h>

#include "dialogs/frm_col_index.h"
#include "dialogs/frm_options.h"
#include "host/automation_error.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

class FullStore final : public SettingsStore {
public:
    std::string GetSetting(const std::string&, const std::string&, const std::string&, const std::string& d) override {
        return d;
    }
    void SaveSetting(const std::string&, const std::string&, const std::string&, const std::string&) override {
        Raise(70, "Zugriff verweigert");
    }
};

TEST(ModalForm, AFailingOkIsSkippedAndTheDialogStaysOpenUntilCancelled) {
    headless::HeadlessPlatform platform(std::make_unique<FullStore>());
    Component component{platform};
    bool openAfterFailedOk = false;
    std::int32_t nestedShowError = 0;
    FrmOptions options(component);
    platform.DialogUser().Next("frmOptions")
        .Click("optDraging", 3)
        .Press("mnuOk")
        .Look([&](headless::HeadlessDialog& d) {
            openAfterFailedOk = d.Visible();
            try {
                options.ShowModal();
            } catch (const AutomationError& e) {
                nestedShowError = e.Number();
            }
        })
        .Press("mnuCancel");
    EXPECT_NO_THROW(options.ShowModal());
    EXPECT_TRUE(openAfterFailedOk);
    EXPECT_EQ(nestedShowError, err::kFormAlreadyShown);
    EXPECT_FALSE(options.Loaded());
    EXPECT_EQ(component.settings.Drag, 3) << "the variables change before the store is written";
}

using ModalFormTest = DialogTest;

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
}

}  // namespace
}  // namespace brackwell::testing

// The password dialog, opened as the protect command opens it: confirmed
// when ActivePwdForm is still set after the modal show.

#include <gtest/gtest.h>

#include <optional>

#include "dialogs/frm_pwd.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

class PwdTest : public DialogTest {
protected:
    // The caller's sequence: the typed text, or nothing when cancelled.
    std::optional<std::string> AskPassword() {
        FrmPwd form(component);
        form.Load();
        EXPECT_EQ(component.ActivePwdForm, &form);
        form.ShowModal();
        if (!component.ActivePwdForm) return std::nullopt;
        const std::string text = form.txtPwd().Text();
        form.Unload();
        return text;
    }
};

TEST_F(PwdTest, OkHandsOverExactlyWhatWasTypedAndEveryPathEndsUnloaded) {
    Next("frmPwd").Type("txtPwd", " geheim ").Type("txtPwd", "売上").Press("mnuOk");
    Next("frmPwd").Press("mnuOk");
    Next("frmPwd").Type("txtPwd", "abc").Press("mnuCancel");
    Next("frmPwd").Type("txtPwd", "abc").CloseBox();

    EXPECT_EQ(AskPassword(), std::optional<std::string>(" geheim 売上"));
    EXPECT_EQ(AskPassword(), std::optional<std::string>(""));  // protects without a password
    EXPECT_EQ(AskPassword(), std::nullopt);
    EXPECT_EQ(AskPassword(), std::nullopt);
    EXPECT_EQ(component.ActivePwdForm, nullptr);
    ASSERT_EQ(User().Showings().size(), 4u);
    for (const auto& shown : User().Showings()) {
        EXPECT_EQ(shown.caption, "Passwort");
        EXPECT_EQ(shown.Control("Label1").caption, "Passwort");
        EXPECT_EQ(shown.Control("txtPwd").text, "") << "every opening starts from an empty box";
        EXPECT_EQ(shown.barStyle, 3);
    }
    EXPECT_TRUE(platform.HeadlessWindows().Children(0).empty());

    {
        FrmPwd gone(component);
        gone.Load();
    }
    EXPECT_EQ(component.ActivePwdForm, nullptr) << "a form that goes without an unload leaves no reference";
}

}  // namespace
}  // namespace brackwell::testing

// What every dialog inherits: a failing handler is skipped and nothing
// escapes; lookups fail as a VB form's do; option buttons are grouped by
// their container; a script the user cannot follow is reported.

#include <gtest/gtest.h>

#include "dialogs/modal_form.h"
#include "host/automation_error.h"
#include "tests/dialogs/dialog_fixture.h"

namespace brackwell::testing {
namespace {

FormDesign TrialDesign() {
    FormDesign d;
    d.name = "frmTrial";
    d.caption = "Probe";
    d.clientWidth = 3000;
    d.clientHeight = 1500;
    d.bar.buttons = {{"mnuFail", toolbar_style::kPlain, "Fehler", 0, "", "", 0, 50, true, {}},
                     {"mnuCancel", toolbar_style::kPlain, "Abbrechen", 0, "", "", 0, 80, true, {}}};
    auto add = [&](const char* name, std::int32_t index, ControlKind kind, const char* container) {
        ControlDesign c;
        c.name = name;
        c.index = index;
        c.kind = kind;
        c.container = container;
        c.clickable = kind == ControlKind::ColorBox;
        d.controls.push_back(c);
    };
    add("boxA", -1, ControlKind::Container, "");
    add("boxB", -1, ControlKind::Container, "");
    add("optA", 1, ControlKind::OptionButton, "boxA");
    add("optA", 2, ControlKind::OptionButton, "boxA");
    add("optB", -1, ControlKind::OptionButton, "boxB");
    add("picBad", -1, ControlKind::ColorBox, "");
    return d;
}

class TrialForm final : public ModalForm {
public:
    using ModalForm::ModalForm;
    int clicks = 0;

private:
    const FormDesign& Design() const override {
        static const FormDesign design = TrialDesign();
        return design;
    }
    void OnControlClick(const std::string&, std::int32_t) override {
        ++clicks;
        Raise(err::kInvalidCall);
    }
    void clbMain_ButtonClick(const std::string& key) override {
        if (key == "mnuFail") Control("optC").SetValue(1);  // no such control: error 9
        if (key == "mnuCancel") Unload();
    }
};

using ModalFormTest = DialogTest;

TEST_F(ModalFormTest, FailingHandlersAreSkippedAndTheFormStaysUsable) {
    TrialForm form(component);
    form.Load();
    form.Tag = "x";
    std::int32_t a1 = -1, a2 = -1, b = -1;
    bool openAfterFailures = false, nestedShowFailed = false;
    Next("frmTrial")
        .Click("optA", 2)
        .Click("optB")
        .Click("picBad")
        .Press("mnuFail")
        .Look([&](headless::HeadlessDialog& d) {
            openAfterFailures = d.Visible();
            a1 = d.Control("optA", 1).Value();
            a2 = d.Control("optA", 2).Value();
            b = d.Control("optB").Value();
            try {
                form.ShowModal();
            } catch (const AutomationError& e) {
                nestedShowFailed = e.Number() == err::kFormAlreadyShown;
            }
        })
        .Press("mnuCancel");
    EXPECT_NO_THROW(form.ShowModal());

    EXPECT_TRUE(openAfterFailures);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_EQ(a2, 1);
    EXPECT_EQ(b, 1) << "another container is another group";
    EXPECT_EQ(a1, 0);
    EXPECT_TRUE(nestedShowFailed);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.Tag, "") << "an unloaded form's values are gone";
    try {
        form.Window();
        ADD_FAILURE() << "an unloaded form has no window";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number(), err::kObjectNotSet);
    }

    // Loaded again, it starts from its design; lookups fail as in VB.
    form.Load();
    EXPECT_EQ(form.Control("optA", 2).Value(), 0);
    for (const auto& [name, index, number] : std::vector<std::tuple<std::string, std::int32_t, std::int32_t>>{
             {"optA", 3, err::kNoSuchControlElement}, {"optA", -1, err::kNoSuchControlElement},
             {"optZ", -1, err::kSubscriptOutOfRange}}) {
        try {
            form.Control(name, index);
            ADD_FAILURE() << name << index;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number(), number) << name << index;
        }
    }
}

TEST_F(ModalFormTest, AScriptTheUserCannotFollowIsReported) {
    TrialForm form(component);
    Next("frmTrial").Click("optZ").Press("mnuNothing").Press("mnuCancel").Press("mnuCancel");
    form.ShowModal();
    // Taken here: the fixture counts the ones left as the test's own mistakes.
    EXPECT_EQ(User().TakeScriptErrors().size(), 3u);
}

}  // namespace
}  // namespace brackwell::testing

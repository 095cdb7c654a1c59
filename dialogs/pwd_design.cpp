// frmPwd as designed: a label and the password box under a bar with "OK"
// and "Abbrechen", on white.

#include "dialogs/frm_pwd.h"

namespace brackwell {
namespace {

FormDesign MakePwdDesign() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    FormDesign d;
    d.name = "frmPwd";
    d.caption = "Passwort";
    d.clientWidth = 4560;
    d.clientHeight = 1470;
    d.backColor = 0xFFFFFF;
    d.border = FormBorder::FixedSingle;
    d.position = FormPosition::CenterOwner;
    d.font = ControlFont{"Verdana", 8.25};
    d.bar.buttons = {
        {"mnuOk", kPlain, "OK", 6931, "", "... Blattschutz aktivieren", kNone, 47, true, {}},
        {"mnuCancel", kPlain, "Abbrechen", 6002, "", "... Aktion abbrechen", kNone, 91, true, {}},
    };

    // txtPwd first: it is first in the tab order and holds the focus.
    ControlDesign text;
    text.name = "txtPwd";
    text.kind = ControlKind::TextBox;
    text.left = 300;
    text.top = 900;
    text.width = 3615;
    text.height = 315;
    text.font = ControlFont{"Verdana", 9.75};
    text.password = true;
    text.borderStyle = 1;
    d.controls.push_back(text);

    ControlDesign label;
    label.name = "Label1";
    label.kind = ControlKind::Label;
    label.caption = "Passwort";
    label.left = 300;
    label.top = 600;
    label.width = 2040;
    label.height = 240;
    d.controls.push_back(label);
    return d;
}

}  // namespace

const FormDesign& PwdFormDesign() {
    static const FormDesign design = MakePwdDesign();
    return design;
}

}  // namespace brackwell

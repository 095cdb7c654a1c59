#include "dialogs/frm_pwd.h"

namespace brackwell {

FrmPwd::FrmPwd(Component& component) : ModalForm(component) {}

FrmPwd::~FrmPwd() {
    Unload();
    if (component_.ActivePwdForm == this) component_.ActivePwdForm = nullptr;
}

const FormDesign& FrmPwd::Design() const { return PwdFormDesign(); }

void FrmPwd::Form_Load() {
    component_.ActivePwdForm = this;
    clbMain()->SetVisualStyle(component_.settings.Theme ? 3 : 2);
}

void FrmPwd::Form_Unload() {
    if (component_.ActivePwdForm == this) component_.ActivePwdForm = nullptr;
}

void FrmPwd::clbMain_ButtonClick(const std::string& key) {
    if (key == "mnuOk") {
        Hide();  // still loaded: the caller reads txtPwd, then unloads
    } else if (key == "mnuCancel") {
        Unload();
    }
}

}  // namespace brackwell

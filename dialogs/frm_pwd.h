#pragma once
// frmPwd: asks for the password a sheet is protected with. While loaded the
// component's ActivePwdForm points at it; "OK" hides it (the caller reads
// txtPwd, then unloads it), "Abbrechen" and the close box unload it, so an
// empty ActivePwdForm after the modal show means cancelled.

#include <string>

#include "dialogs/modal_form.h"

namespace brackwell {

class FrmPwd final : public ModalForm {
public:
    explicit FrmPwd(Component& component);
    ~FrmPwd() override;

    FormControl& txtPwd() { return Control("txtPwd"); }

private:
    const FormDesign& Design() const override;
    void Form_Load() override;
    void Form_Unload() override;
    void clbMain_ButtonClick(const std::string& key) override;
};

const FormDesign& PwdFormDesign();

}  // namespace brackwell

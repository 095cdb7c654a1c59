#pragma once
// frmColIndex: the tab colour picker. 56 colour boxes picCol(1..56) in the
// host's palette order, a bar with "OK" (disabled until the first box click),
// "Keine" and "Abbrechen". Its caller sets the caption (the sheet's name),
// Tag (the current colour index) and the mark of the current box, shows it
// modally and reads Tag: the clicked index, "-4142" for no colour, or empty
// after a cancel (the form is then unloaded).

#include <cstdint>
#include <string>

#include "dialogs/modal_form.h"

namespace brackwell {

class FrmColIndex final : public ModalForm {
public:
    explicit FrmColIndex(Component& component);

    FormControl& picCol(std::int32_t index) { return Control("picCol", index); }
    void picCol_Click(std::int32_t index);

private:
    const FormDesign& Design() const override;
    void Form_Load() override;
    void OnControlClick(const std::string& name, std::int32_t index) override;
    void clbMain_ButtonClick(const std::string& key) override;
};

const FormDesign& ColIndexFormDesign();

}  // namespace brackwell

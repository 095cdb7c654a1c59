#pragma once
// frmOptions ("Einstellungen"): the seven settings. Load fills the controls
// from the component's settings; picFore(0..2) open the colour chooser; "OK"
// runs SaveSettings (variables first, then all seven keys to the store) and
// unloads, also when the store refuses the write, whose failure the modal
// show then raises; "Abbrechen" and the close box unload without saving. The
// caller applies the new values after the modal show returns.

#include <cstdint>
#include <string>

#include "dialogs/modal_form.h"

namespace brackwell {

class FrmOptions final : public ModalForm {
public:
    explicit FrmOptions(Component& component);

    FormControl& picFore(std::int32_t index) { return Control("picFore", index); }
    FormControl& optDraging(std::int32_t index) { return Control("optDraging", index); }
    void picFore_Click(std::int32_t index);
    void SaveSettings();

private:
    const FormDesign& Design() const override;
    void Form_Load() override;
    void OnControlClick(const std::string& name, std::int32_t index) override;
    void clbMain_ButtonClick(const std::string& key) override;
};

const FormDesign& OptionsFormDesign();

}  // namespace brackwell

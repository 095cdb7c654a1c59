#include "dialogs/frm_options.h"

#include "core/failure.h"
#include "core/settings.h"
#include "dialogs/c_color_dialog.h"

namespace brackwell {
namespace {

constexpr std::int32_t kDragChoices = 3;

}  // namespace

FrmOptions::FrmOptions(Component& component) : ModalForm(component) {}

const FormDesign& FrmOptions::Design() const { return OptionsFormDesign(); }

// Each step on its own: a stored "Drag" outside 1 to 3 has no button, and
// the dialog then opens with none of the three selected.
void FrmOptions::Form_Load() {
    const Settings& s = component_.settings;
    IgnoreFailure([&] {
        Control("optOffice03").SetValue(s.Theme ? 1 : 0);
        Control("optXP").SetValue(s.Theme ? 0 : 1);
    });
    IgnoreFailure([&] { optDraging(s.Drag).SetValue(1); });
    IgnoreFailure([&] { Control("chkMapExpand").SetValue(s.MapExpand ? 1 : 0); });
    IgnoreFailure([&] {
        picFore(0).SetBackColor(s.WBFore);
        picFore(1).SetBackColor(s.SHFore);
        picFore(2).SetBackColor(s.NameFore);
    });
    IgnoreFailure([&] { Control("chkForeReg").SetValue(s.SetForeReg ? 1 : 0); });
    IgnoreFailure([&] { clbMain()->SetVisualStyle(s.Theme ? 3 : 2); });
}

void FrmOptions::picFore_Click(std::int32_t index) {
    cColorDialog chooser(component_.platform.Ui());
    chooser.SetColorFlags(static_cast<std::int32_t>(cc::kRgbInit | cc::kAnyColor));
    chooser.SetInitColor(picFore(index).BackColor());
    // Black is what the chooser answers for a cancel, so a chosen black
    // changes nothing either.
    const Color chosen = chooser.Execute(hwnd());
    if (chosen != 0) picFore(index).SetBackColor(chosen);
}

// With no drag button selected (a stored value outside 1 to 3 that the user
// left alone), Drag keeps the value it had.
void FrmOptions::SaveSettings() {
    Settings& s = component_.settings;
    for (std::int32_t i = 1; i <= kDragChoices; ++i) {
        if (optDraging(i).Value() != 0) {
            s.Drag = i;
            break;
        }
    }
    s.Theme = Control("optOffice03").Value() != 0;
    s.MapExpand = Control("chkMapExpand").Value() != 0;
    s.SetForeReg = Control("chkForeReg").Value() != 0;
    s.WBFore = picFore(0).BackColor();
    s.SHFore = picFore(1).BackColor();
    s.NameFore = picFore(2).BackColor();
    brackwell::SaveSettings(component_.platform.Settings(), s);
}

void FrmOptions::OnControlClick(const std::string& name, std::int32_t index) {
    if (name == "picFore") picFore_Click(index);
}

void FrmOptions::clbMain_ButtonClick(const std::string& key) {
    if (key == "mnuOk") {
        // A store that refuses the write does not keep the dialog open: it
        // unloads all the same, and the failure goes to whoever showed it.
        KeepFailureForCaller([&] { SaveSettings(); });
        Unload();
    } else if (key == "mnuCancel") {
        Unload();
    }
}

}  // namespace brackwell

#include "dialogs/frm_col_index.h"

#include "tree/palette.h"

namespace brackwell {
namespace {

constexpr std::int32_t kBoxCount = 56;
constexpr const char* kNoColor = "-4142";  // the host's "no tab colour"

}  // namespace

FrmColIndex::FrmColIndex(Component& component) : ModalForm(component) {}

const FormDesign& FrmColIndex::Design() const { return ColIndexFormDesign(); }

void FrmColIndex::Form_Load() {
    clbMain()->SetVisualStyle(component_.settings.Theme ? 3 : 2);
    for (std::int32_t k = 1; k <= kBoxCount; ++k) {
        picCol(k).SetBorderStyle(0);
        picCol(k).SetBackColor(ColorIndexToRgb(k));
    }
    // "OK" waits for a box click in this opening, even when the caller marks
    // the current colour.
    clbMain()->SetButtonEnabled("mnuOk", false);
}

void FrmColIndex::picCol_Click(std::int32_t index) {
    for (std::int32_t k = 1; k <= kBoxCount; ++k) picCol(k).SetBorderStyle(0);
    Tag = std::to_string(index);
    picCol(index).SetBorderStyle(1);
    clbMain()->SetButtonEnabled("mnuOk", true);
}

void FrmColIndex::OnControlClick(const std::string& name, std::int32_t index) {
    if (name == "picCol") picCol_Click(index);
}

void FrmColIndex::clbMain_ButtonClick(const std::string& key) {
    if (key == "mnuOk") {
        Hide();  // Tag keeps the last clicked box
    } else if (key == "mnuRetour") {
        Tag = kNoColor;
        Hide();
    } else if (key == "mnuCancel") {
        Unload();
    }
}

}  // namespace brackwell

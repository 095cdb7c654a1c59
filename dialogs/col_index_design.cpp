// frmColIndex as designed: 56 colour boxes in eight columns and seven rows
// under a bar with "OK", "Keine" and "Abbrechen".

#include "dialogs/frm_col_index.h"

namespace brackwell {
namespace {

// Box k lies in row (k - 1) / 8 and column (k - 1) % 8; twips.
constexpr std::int32_t kFirstLeft = 75;
constexpr std::int32_t kFirstTop = 600;
constexpr std::int32_t kColumnStep = 375;
constexpr std::int32_t kRowStep = 300;
constexpr std::int32_t kBoxWidth = 315;
constexpr std::int32_t kBoxHeight = 240;

FormDesign MakeColIndexDesign() {
    using namespace toolbar_style;
    using namespace tooltip_icon;
    FormDesign d;
    d.name = "frmColIndex";
    d.caption = "Form1";  // the caller always puts the sheet's name here
    d.clientWidth = 3195;
    d.clientHeight = 2835;
    d.border = FormBorder::FixedSingle;
    d.position = FormPosition::CenterScreen;
    d.bar.buttons = {
        {"mnuOk", kPlain, "OK", 6001, "", "... Auswahl übernehmen", kNone, 47, true, {}},
        {"mnuRetour", kPlain, "Keine", 6003, "", "... zurücksetzen (keine Registerfarbe)", kNone, 62, true, {}},
        {"mnuCancel", kPlain, "Abbrechen", 6002, "", "... Aktion abbrechen", kNone, 91, true, {}},
    };
    for (std::int32_t k = 1; k <= 56; ++k) {
        ControlDesign box;
        box.name = "picCol";
        box.index = k;
        box.kind = ControlKind::ColorBox;
        box.left = kFirstLeft + kColumnStep * ((k - 1) % 8);
        box.top = kFirstTop + kRowStep * ((k - 1) / 8);
        box.width = kBoxWidth;
        box.height = kBoxHeight;
        box.clickable = true;
        d.controls.push_back(box);
    }
    return d;
}

}  // namespace

const FormDesign& ColIndexFormDesign() {
    static const FormDesign design = MakeColIndexDesign();
    return design;
}

}  // namespace brackwell

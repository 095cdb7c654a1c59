#include "pane/frm_nav.h"

#include "core/failure.h"
#include "pane/nav_bar_design.h"

namespace brackwell {
namespace {

// Margins around the tree, in twips (about 3 pixels).
constexpr std::int32_t kMargin = 50;

}  // namespace

FrmNav::FrmNav(Component& component) : component_(component) {}

FrmNav::~FrmNav() {
    if (component_.NavForm == this) component_.NavForm = nullptr;
}

void FrmNav::Load() {
    if (Loaded()) return;
    window_.reset();  // a window closed from outside is gone for good
    window_ = component_.platform.CreateNavForm(NavBarDesign(), *this);
    Form_Load();
}

void FrmNav::Unload() {
    if (!window_) return;
    Form_Unload();
    window_.reset();
}

NavFormWindow& FrmNav::Window() {
    if (!window_) Raise(err::kObjectNotSet);
    return *window_;
}

void FrmNav::Form_Load() {
    component_.NavForm = this;

    Toolbar& bar = *clbMain();
    bar.SetButtonFontName("Verdana");
    bar.SetButtonFontSize(8);
    bar.SetMenuFontName("Verdana");
    bar.SetMenuFontSize(8);

    TreeView& tree = *mTree();
    tree.SetAppearance(0);       // flat
    tree.SetBorderStyle(0);      // no border
    tree.SetSingleSel(false);
    tree.SetLabelEdit(1);        // manual: labels are never edited in place
    tree.SetHideSelection(false);
    tree.SetLineStyle(1);        // lines at the root
    tree.SetOLEDragMode(1);      // automatic
    tree.SetOLEDropMode(1);      // manual
}

void FrmNav::Form_Unload() {
    if (component_.NavForm == this) component_.NavForm = nullptr;
}

void FrmNav::Form_Resize() {
    IgnoreFailure([&] {
        NavFormWindow& form = Window();
        const std::int32_t h = form.Bar()->Height();
        form.Tree()->Move(kMargin, h + kMargin, form.ScaleWidth() - 2 * kMargin,
                          form.ScaleHeight() - (h + 2 * kMargin));
    });
}

}  // namespace brackwell

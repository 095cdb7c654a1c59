#include "core/component.h"

#include "pane/frm_nav.h"

namespace brackwell {

Component::Component(Platform& p) : platform(p) {}

Component::~Component() = default;

FrmNav& Component::frmNav() {
    if (!frmNav_) frmNav_ = std::make_unique<FrmNav>(*this);
    return *frmNav_;
}

}  // namespace brackwell

#include "dialogs/modal_form.h"

#include <utility>

#include "core/failure.h"

namespace brackwell {

ModalForm::ModalForm(Component& component) : component_(component) {}

ModalForm::~ModalForm() {
    // The derived form is gone already, so its unload handler cannot run
    // here; a form that has one unloads itself in its own destructor.
    ReleaseWindow();
}

void ModalForm::Load() {
    if (Loaded()) return;
    // Unloaded inside its own modal show, which has not returned yet: the
    // old window's objects are still in use there.
    if (modalDepth_ > 0) Raise(err::kFormAlreadyShown);
    ReleaseWindow();
    window_ = component_.platform.CreateDialogWindow(Design(), *this);
    try {
        barConnection_ = window_->Bar()->Advise(*this);
        Form_Load();
    } catch (...) {
        // A form whose load failed is not loaded: the caller hears of the
        // failure and finds nothing half made behind it.
        IgnoreFailure([&] { Form_Unload(); });
        ReleaseWindow();
        throw;
    }
}

void ModalForm::ShowModal(WindowHandle owner) {
    Load();
    if (modalDepth_ == 0) failureForCaller_ = nullptr;
    ++modalDepth_;
    try {
        window_->ShowModal(owner);
    } catch (...) {
        --modalDepth_;
        if (unloaded_ && modalDepth_ == 0) ReleaseWindow();
        throw;
    }
    --modalDepth_;
    if (unloaded_ && modalDepth_ == 0) ReleaseWindow();
    if (modalDepth_ == 0 && failureForCaller_) std::rethrow_exception(std::exchange(failureForCaller_, nullptr));
}

void ModalForm::Hide() {
    if (Loaded()) window_->Hide();
}

void ModalForm::Unload() {
    if (!Loaded()) return;
    IgnoreFailure([&] { Form_Unload(); });
    Tag.clear();
    if (modalDepth_ > 0) {
        // Inside the modal show, perhaps inside one of the window's own
        // handlers: the window goes now, the objects behind it when the show
        // has returned.
        unloaded_ = true;
        window_->Destroy();
    } else {
        ReleaseWindow();
    }
}

DialogWindow& ModalForm::Window() {
    if (!Loaded()) Raise(err::kObjectNotSet);
    return *window_;
}

std::string ModalForm::Caption() { return Window().Caption(); }

void ModalForm::SetCaption(const std::string& caption) { Window().SetCaption(caption); }

FormControl& ModalForm::Control(const std::string& name, std::int32_t index) { return Window().Control(name, index); }

std::shared_ptr<Toolbar> ModalForm::clbMain() { return Window().Bar(); }

WindowHandle ModalForm::hwnd() { return Window().Hwnd(); }

void ModalForm::ControlClick(const std::string& name, std::int32_t index) {
    IgnoreFailure([&] { OnControlClick(name, index); });
}

void ModalForm::CloseRequested() {
    IgnoreFailure([&] { Unload(); });
}

void ModalForm::ButtonClick(const std::string& key) {
    IgnoreFailure([&] { clbMain_ButtonClick(key); });
}

void ModalForm::MenuItemClick(const std::string& /*key*/) {}

void ModalForm::ReleaseWindow() {
    barConnection_.reset();
    window_.reset();
    unloaded_ = false;
}

}  // namespace brackwell

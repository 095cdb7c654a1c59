#pragma once
// What the four dialogs share: the life of a VB form shown modally. Load
// makes the window from the dialog's design and runs Form_Load; ShowModal
// returns when the form hides itself or is unloaded; Unload runs the
// dialog's unload handler and destroys the window (after the modal show has
// returned, when it runs inside it). After Unload the form's values are gone:
// Tag reads empty, as a VB form reloaded by a later reference.
//
// A failing handler never reaches the window that raised the event: it is
// skipped and the dialog stays usable. A handler step whose failure belongs
// to the dialog's caller hands it to KeepFailureForCaller instead, and the
// modal show raises it once it has returned.

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "core/component.h"
#include "host/dialog_form.h"

namespace brackwell {

class ModalForm : private DialogEvents, private ToolbarEvents {
public:
    explicit ModalForm(Component& component);
    virtual ~ModalForm();
    ModalForm(const ModalForm&) = delete;
    ModalForm& operator=(const ModalForm&) = delete;

    // Creates the (hidden) window and runs Form_Load; nothing when loaded.
    void Load();
    // Loads the form if needed, shows it modally to `owner` (0: none) and
    // returns when it is hidden or unloaded; raises the failure a handler
    // kept for the caller meanwhile.
    void ShowModal(WindowHandle owner = 0);
    void Hide();
    // Runs the unload handler and destroys the window; nothing when not loaded.
    void Unload();
    bool Loaded() const { return window_ != nullptr && !unloaded_; }

    DialogWindow& Window();  // fails with error 91 when not loaded
    std::string Caption();
    void SetCaption(const std::string& caption);
    FormControl& Control(const std::string& name, std::int32_t index = -1);
    std::shared_ptr<Toolbar> clbMain();
    WindowHandle hwnd();

    std::string Tag;  // the form's result text (VB's Tag)

protected:
    // Runs a handler's step; its failure is kept for the caller of the
    // running modal show (outside a show it is dropped like any handler's).
    // Returns whether the step succeeded.
    template <class Step>
    bool KeepFailureForCaller(Step&& step) {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (...) {
            failureForCaller_ = std::current_exception();
            return false;
        }
    }

    Component& component_;

private:
    virtual const FormDesign& Design() const = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void OnControlClick(const std::string& /*name*/, std::int32_t /*index*/) {}
    virtual void clbMain_ButtonClick(const std::string& /*key*/) {}

    // DialogEvents
    void ControlClick(const std::string& name, std::int32_t index) final;
    void CloseRequested() final;
    // ToolbarEvents
    void ButtonClick(const std::string& key) final;
    void MenuItemClick(const std::string& key) final;

    void ReleaseWindow();

    std::unique_ptr<DialogWindow> window_;
    std::unique_ptr<EventConnection> barConnection_;
    int modalDepth_ = 0;     // inside ShowModal: the window is released when it returns
    bool unloaded_ = false;  // unloaded inside ShowModal, window not yet released
    std::exception_ptr failureForCaller_;  // raised by ShowModal when it returns
};

}  // namespace brackwell
